// The JPEG decoder of the codec library on arbitrary bytes: it refuses or gives
// a block of a plausible size for the input, and what it accepts encodes and
// decodes again at the same size.
#include <cstdlib>
#include <cstring>

#include "codec/JpegEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t* block = DecodeJpeg(data, size);
    if (!block) return 0;
    uint32_t w, h;
    std::memcpy(&w, block, 4);
    std::memcpy(&h, block + 4, 4);
    if (!PlausibleJpegSize(w, h, size)) __builtin_trap();
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
