// The YCC reader on arbitrary bytes.
#include "formats/ImageFiles.h"
#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckDecoder(DecodeYcc, data, size);
    return 0;
}
