// imgcodec: JPEG decoding and encoding behind two C entry points.
//
// The pixel transfer block is described in core/TransferBlock.h.
//
// On Windows the block that `load` returns is fixed global memory
// (GlobalAlloc(GMEM_FIXED)), freed by the caller with GlobalFree. Elsewhere it
// comes from malloc; free it with `release` (which is GlobalFree on Windows).
#pragma once

#include <cstdint>

#include "core/TransferBlock.h"

#ifdef _WIN32
#define IMGCODEC_EXPORT __declspec(dllexport)
#else
#define IMGCODEC_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Decodes the JPEG file; null when it cannot be read, is not a JPEG the codec
// accepts (CMYK, 12-bit, truncated, implausibly large), or memory runs out.
IMGCODEC_EXPORT void* load(const char* fileName);

// Encodes the block as a baseline JPEG file at quality 50..100. Nonzero on
// success; on failure no file of that name is left behind.
IMGCODEC_EXPORT int save(const char* fileName, const void* block, int quality);

// Frees a block returned by `load`.
IMGCODEC_EXPORT void release(void* block);

// Why the last `load` or `save` on the calling thread failed, in a few words
// ("not a JPEG file", "truncated", "unsupported JPEG: CMYK"); "" after a
// success.
IMGCODEC_EXPORT const char* reason(void);

typedef void* (*ImgCodecLoad)(const char*);
typedef int (*ImgCodecSave)(const char*, const void*, int);
typedef void (*ImgCodecRelease)(void*);
typedef const char* (*ImgCodecReason)(void);
}
