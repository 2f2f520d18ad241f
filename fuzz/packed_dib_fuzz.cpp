// The clipboard's packed-bitmap reader on arbitrary bytes; an accepted bitmap
// must survive a copy and a second paste unchanged.
#include "formats/PackedDib.h"
#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CImage* image = CheckDecoder(DecodePackedDib, data, size);
    if (!image) return 0;
    std::vector<uint8_t> packed;
    CImage& again = Scratch(1);
    if (!EncodePackedDib(*image, packed) || !DecodePackedDib(again, packed.data(), packed.size()) ||
        !SamePlanes(*image, again))
        __builtin_trap();
    return 0;
}
