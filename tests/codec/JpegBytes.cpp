#include "tests/codec/JpegBytes.h"

#include <cstdlib>
#include <cstring>

#include "codec/JpegEngine.h"
#include "tests/codec/CodecTestFiles.h"

std::vector<uint8_t> TransferBlockOf(const CImage& image) {
    std::vector<uint8_t> block(8 + 4 * image.PixelCount());
    const uint32_t w = uint32_t(image.Width()), h = uint32_t(image.Height());
    for (int i = 0; i < 4; ++i) {
        block[i] = uint8_t(w >> (8 * i));
        block[4 + i] = uint8_t(h >> (8 * i));
    }
    if (image.PixelCount()) std::memcpy(block.data() + 8, image.Bits(), 4 * image.PixelCount());
    return block;
}

std::vector<uint8_t> EncodedPicture(int32_t w, int32_t h, int quality) {
    std::vector<uint8_t> block = TransferBlockOf(SmoothPicture(w, h));
    EncodedJpeg jpeg;
    if (!EncodeJpeg(block.data(), quality, jpeg)) return {};
    std::vector<uint8_t> bytes(jpeg.data, jpeg.data + jpeg.size);
    std::free(jpeg.data);
    return bytes;
}

size_t FindMarker(const std::vector<uint8_t>& bytes, uint8_t code) {
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == code) return i;
    return 0;
}

std::string SamplingOf(const std::vector<uint8_t>& bytes) {
    size_t sof = FindMarker(bytes, 0xC0);
    if (sof == 0 || sof + 10 > bytes.size()) return {};
    std::string text;
    const int components = bytes[sof + 9];
    for (int c = 0; c < components && sof + 12 + 3 * c < bytes.size(); ++c) {
        const uint8_t factors = bytes[sof + 11 + 3 * c];
        if (c) text += ' ';
        text += std::to_string(factors >> 4) + "x" + std::to_string(factors & 15);
    }
    return text;
}
