#include "formats/Dib24.h"

#include <cstring>

#include "formats/ImageFiles.h"

bool DibRowsFit(uint64_t offset, int64_t width, int64_t rows, size_t size) {
    if (!PlausibleImageSize(width, rows)) return false;
    // Both sides are at most 2^24, so the product and the sum fit in 64 bits.
    const uint64_t end = offset + DibStride(width) * uint64_t(rows);
    return end <= size;
}

void UnpackDibRows(const uint8_t* src, bool topDown, CImage& image) {
    const int32_t width = image.Width(), rows = image.Height();
    const size_t stride = size_t(DibStride(width));
    for (int32_t r = 0; r < rows; ++r) {
        const uint8_t* in = src + size_t(r) * stride;
        uint32_t* out = image.Bits() + size_t(topDown ? rows - 1 - r : r) * size_t(width);
        for (int32_t x = 0; x < width; ++x, in += 3)
            out[x] = uint32_t(in[0]) | (uint32_t(in[1]) << 8) | (uint32_t(in[2]) << 16);
    }
}

void PackDibRows(const CImage& image, uint8_t* dst) {
    const int32_t width = image.Width(), rows = image.Height();
    const size_t stride = size_t(DibStride(width));
    const size_t fill = stride - 3 * size_t(width);
    for (int32_t r = 0; r < rows; ++r) {
        const uint32_t* in = image.Bits() + size_t(r) * size_t(width);
        uint8_t* out = dst + size_t(r) * stride;
        for (int32_t x = 0; x < width; ++x, out += 3) {
            const uint32_t v = in[x];
            out[0] = uint8_t(v);
            out[1] = uint8_t(v >> 8);
            out[2] = uint8_t(v >> 16);
        }
        std::memset(out, 0, fill);
    }
}
