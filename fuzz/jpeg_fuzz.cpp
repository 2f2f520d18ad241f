// The JPEG decoder of the codec library on arbitrary bytes: it refuses or gives
// a block of a plausible size for the input, and what it accepts (if small)
// encodes and decodes again at the same size.
//
// The time belongs in the decoder's branches, not in its loops: below 2^24
// pixels no bytes-per-pixel ratio applies, so a few bytes may declare
// 4096 x 4096 and buy a quarter of a second of decoding padding. Every branch
// of the decoder shows on a picture of a few of its largest units (32 x 32
// pixels), and any width up to 65535 stays reachable within the pixel bound, so
// larger pictures are refused right after the header. Encoding is a check of
// the round trip, not of the decoder: only small pictures make it.
#include <cstdlib>
#include <cstring>

#include "codec/JpegEngine.h"

namespace {

constexpr uint64_t kFuzzPixels = 256 * 256;
constexpr uint64_t kReencodePixels = 64 * 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t* block = DecodeJpeg(data, size, kFuzzPixels);
    if (!block) return 0;
    uint32_t w, h;
    std::memcpy(&w, block, 4);
    std::memcpy(&h, block + 4, 4);
    if (!PlausibleJpegSize(w, h, size) || uint64_t(w) * h > kFuzzPixels) __builtin_trap();
    if (uint64_t(w) * h > kReencodePixels) {
        FreeTransferBlock(block);
        return 0;
    }
    EncodedJpeg jpeg;
    if (!EncodeJpeg(block, 75, jpeg)) __builtin_trap();
    FreeTransferBlock(block);
    uint8_t* again = DecodeJpeg(jpeg.data, jpeg.size);
    if (!again || std::memcmp(again, &w, 4) != 0 || std::memcmp(again + 4, &h, 4) != 0)
        __builtin_trap();
    FreeTransferBlock(again);
    std::free(jpeg.data);
    return 0;
}
