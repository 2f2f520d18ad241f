// The program's own YCrCb file: a 16-byte header (signature 59 43 00 08, data
// offset, width, height) and Y, Cr, Cb bytes per pixel from the top row down.
#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"
#include "formats/LittleEndian.h"

namespace {

constexpr size_t kYccHeaderBytes = 16;
constexpr uint32_t kYccSignature = 0x08004359;

} // namespace

bool DecodeYcc(CImage& image, const uint8_t* data, size_t size) {
    if (!data || size < kYccHeaderBytes || GetLe32(data) != kYccSignature)
        return FailWith("not a YCC file");
    const uint32_t offset = GetLe32(data + 4);
    const int32_t width = GetLeSigned32(data + 8);
    const int32_t height = GetLeSigned32(data + 12);
    if (width < 0 || height < 0) return FailWith("negative width or height");
    if (!PlausibleImageSize(width, height)) return FailWith("image too large");
    // Both sides are at most 2^24, so this cannot overflow.
    if (offset + 3 * uint64_t(width) * uint64_t(height) > size) return FailWith("truncated");
    if (!image.Create(width, height)) return FailWith("out of memory");
    const uint8_t* in = data + offset;
    for (int32_t k = 0; width > 0 && k < height; ++k) {
        uint32_t* out = image.AuxBits() + size_t(height - 1 - k) * size_t(width);
        for (int32_t x = 0; x < width; ++x, in += 3)
            out[x] = (uint32_t(in[0]) << 16) | (uint32_t(in[1]) << 8) | uint32_t(in[2]);
    }
    image.YccToRgb();
    return true;
}

bool EncodeYcc(CImage& image, ByteBlock& out) {
    const int32_t width = image.Width(), height = image.Height();
    const uint64_t size = kYccHeaderBytes + 3 * uint64_t(width) * uint64_t(height);
    if (size > SIZE_MAX || !out.Allocate(size_t(size))) return FailWith("out of memory");
    uint8_t* p = out.data.get();
    PutLe32(p, kYccSignature);
    PutLe32(p + 4, kYccHeaderBytes);
    PutLe32(p + 8, uint32_t(width));
    PutLe32(p + 12, uint32_t(height));
    image.RgbToYcc();
    p += kYccHeaderBytes;
    for (int32_t i = 0; width > 0 && i < height; ++i) {
        const uint32_t* in = image.AuxBits() + size_t(height - 1 - i) * size_t(width);
        for (int32_t x = 0; x < width; ++x, p += 3) {
            p[0] = uint8_t(in[x] >> 16);
            p[1] = uint8_t(in[x] >> 8);
            p[2] = uint8_t(in[x]);
        }
    }
    return true;
}

bool ReadYcc(CImage& image, const char* fileName) {
    ByteBlock file;
    return ReadWholeFile(fileName, file) && DecodeYcc(image, file.data.get(), file.size);
}

bool WriteYcc(CImage& image, const char* fileName) {
    ByteBlock file;
    return EncodeYcc(image, file) && WriteWholeFile(fileName, file.data.get(), file.size);
}
