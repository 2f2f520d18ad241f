#include "formats/Dib24.h"

#include <bit>
#include <cstring>

#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"

bool DibRowsFit(uint64_t offset, int64_t width, int64_t rows, size_t size) {
    if (width < 0 || rows < 0) return FailWith("negative width or height");
    if (!PlausibleImageSize(width, rows)) return FailWith("image too large");
    // Both sides are at most 2^24, so the product and the sum fit in 64 bits.
    const uint64_t end = offset + DibStride(width) * uint64_t(rows);
    return end <= size || FailWith("truncated");
}

namespace {

static_assert(std::endian::native == std::endian::little, "pixel words are moved as little-endian");

uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
void Store32(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

// One row of blue, green, red triples to 0x00RRGGBB words: four pixels from
// three aligned-size loads, then the rest one by one.
void UnpackRow(const uint8_t* in, uint32_t* out, int32_t width) {
    int32_t x = 0;
    for (; x + 4 <= width; x += 4, in += 12) {
        const uint32_t a = Load32(in), b = Load32(in + 4), c = Load32(in + 8);
        out[x] = a & 0x00FFFFFF;
        out[x + 1] = (a >> 24) | ((b & 0xFFFF) << 8);
        out[x + 2] = (b >> 16) | ((c & 0xFF) << 16);
        out[x + 3] = c >> 8;
    }
    for (; x < width; ++x, in += 3)
        out[x] = uint32_t(in[0]) | (uint32_t(in[1]) << 8) | (uint32_t(in[2]) << 16);
}

// The reverse; bits 24-31 of the words are not written.
void PackRow(const uint32_t* in, uint8_t* out, int32_t width) {
    int32_t x = 0;
    for (; x + 4 <= width; x += 4, out += 12) {
        const uint32_t p0 = in[x], p1 = in[x + 1], p2 = in[x + 2], p3 = in[x + 3];
        Store32(out, (p0 & 0x00FFFFFF) | (p1 << 24));
        Store32(out + 4, ((p1 >> 8) & 0xFFFF) | (p2 << 16));
        Store32(out + 8, ((p2 >> 16) & 0xFF) | (p3 << 8));
    }
    for (; x < width; ++x, out += 3) {
        out[0] = uint8_t(in[x]);
        out[1] = uint8_t(in[x] >> 8);
        out[2] = uint8_t(in[x] >> 16);
    }
}

} // namespace

void PutInfoHeader(const CImage& image, uint8_t* dst) {
    std::memset(dst, 0, kInfoHeaderBytes);
    PutLe32(dst, kInfoHeaderBytes);
    PutLe32(dst + 4, uint32_t(image.Width()));
    PutLe32(dst + 8, uint32_t(image.Height()));
    PutLe16(dst + 12, 1);
    PutLe16(dst + 14, 24);
}

void UnpackDibRows(const uint8_t* src, CImage& image, bool topDown, int32_t first, int32_t count) {
    if (image.PixelCount() == 0) return; // 0 x 16777216 must not loop over empty rows
    const int32_t width = image.Width(), rows = image.Height();
    const size_t stride = size_t(DibStride(width));
    for (int32_t r = first; r < first + count; ++r, src += stride) {
        const int32_t y = topDown ? rows - 1 - r : r;
        UnpackRow(src, image.Bits() + size_t(y) * size_t(width), width);
    }
}

void PackDibRows(const CImage& image, uint8_t* dst, int32_t first, int32_t count) {
    if (image.PixelCount() == 0) return; // rows of width 0 have no bytes at all
    const int32_t width = image.Width();
    const size_t stride = size_t(DibStride(width));
    const size_t fill = stride - 3 * size_t(width);
    for (int32_t r = first; r < first + count; ++r, dst += stride) {
        PackRow(image.Bits() + size_t(r) * size_t(width), dst, width);
        std::memset(dst + 3 * size_t(width), 0, fill);
    }
}
