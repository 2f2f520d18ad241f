// The metafile reader on arbitrary bytes: the record walk refuses what it
// cannot follow, and the drawing records never paint outside the canvas. The
// canvas is small so that the fuzzer's time goes to the records, not to
// clearing and checking a display-sized picture.
#include "formats/Metafile.h"
#include "fuzz/FuzzChecks.h"

namespace {

bool RenderOnSmallCanvas(CImage& image, const uint8_t* data, size_t size) {
    return RenderMetafile(image, data, size, 64, 48);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckDecoder(RenderOnSmallCanvas, data, size);
    return 0;
}
