// The BMP reader on arbitrary bytes; an accepted file must also survive a
// write and a second read unchanged.
#include "formats/ImageFiles.h"
#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CImage* image = CheckDecoder(DecodeBmp, data, size);
    if (!image) return 0;
    ByteBlock file;
    CImage& again = Scratch(1);
    if (!EncodeBmp(*image, file) || !DecodeBmp(again, file.data.get(), file.size) ||
        !SamePlanes(*image, again))
        __builtin_trap();
    return 0;
}
