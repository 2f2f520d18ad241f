// The metafile reader on arbitrary bytes: the record walk refuses what it
// cannot follow, and the drawing records never paint outside the canvas. The
// canvas is small so that the fuzzer's time goes to the records, not to
// clearing and checking a display-sized picture.
#include "formats/Metafile.h"
#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return CheckDecoder(
        [](CImage& image, const uint8_t* bytes, size_t n) {
            return RenderMetafile(image, bytes, n, 64, 48);
        },
        data, size);
}
