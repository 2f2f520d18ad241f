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

namespace {

// Entropy-coded bits, most significant first, with a zero byte stuffed after
// each 0xFF and the last byte padded with ones.
class BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Put(uint32_t bits, int count) {
        while (count-- > 0) {
            byte_ = uint8_t(byte_ << 1 | ((bits >> count) & 1));
            if (++filled_ == 8) Flush();
        }
    }
    void Finish() {
        if (filled_ > 0) Put(0xFF, 8 - filled_);
    }

  private:
    void Flush() {
        out_.push_back(byte_);
        if (byte_ == 0xFF) out_.push_back(0);
        byte_ = 0;
        filled_ = 0;
    }
    std::vector<uint8_t>& out_;
    uint8_t byte_ = 0;
    int filled_ = 0;
};

void Segment(std::vector<uint8_t>& out, uint8_t marker, std::initializer_list<uint8_t> body) {
    const size_t length = body.size() + 2;
    out.insert(out.end(), {0xFF, marker, uint8_t(length >> 8), uint8_t(length)});
    out.insert(out.end(), body);
}

} // namespace

std::vector<uint8_t> ScanFlood(uint16_t w, uint16_t h, int acScans) {
    std::vector<uint8_t> out = {0xFF, 0xD8};
    std::vector<uint8_t> quant(65, 1);
    quant[0] = 0;
    out.insert(out.end(), {0xFF, 0xDB, 0, 67});
    out.insert(out.end(), quant.begin(), quant.end());
    Segment(out, 0xC2, {8, uint8_t(h >> 8), uint8_t(h), uint8_t(w >> 8), uint8_t(w), 1, 1, 0x11, 0});
    // One code each, "0": DC difference 0, and an end-of-band run of 2^14 and more.
    Segment(out, 0xC4, {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00,
                        0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0});
    const uint64_t blocks = uint64_t(w / 8) * (h / 8);
    Segment(out, 0xDA, {1, 1, 0x00, 0, 0, 0x00});
    {
        BitWriter bits(out);
        for (uint64_t b = 0; b < blocks; ++b)
            bits.Put(0, 1);
        bits.Finish();
    }
    constexpr uint32_t kRun = (1u << 14) + 0x3FFE; // 32766 blocks per code
    for (int s = 0; s < acScans; ++s) {
        Segment(out, 0xDA, {1, 1, 0x00, 1, 63, 0x00});
        BitWriter bits(out);
        for (uint64_t b = 0; b < blocks; b += kRun)
            bits.Put(0x3FFE, 15); // the code "0" and the run's 14 extra bits
        bits.Finish();
    }
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}
