// The metafile reader on arbitrary bytes: the record walk refuses what it
// cannot follow, and the drawing records never paint outside the canvas.
#include "formats/Metafile.h"
#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return CheckDecoder(DecodeMetafile, data, size);
}
