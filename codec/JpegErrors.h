// libjpeg's error handling turned into a jump back to the caller: the library
// never prints and never calls exit(). A warning that entropy-coded data ran
// out counts as an error, so a truncated file is refused rather than shown
// with a grey lower part. The end of the file itself is only noted: the
// decoder reads ahead, so a file that lacks nothing but its end marker meets
// it too, and the caller decides.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

struct CodecErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    bool reachedEndOfFile;
};

// Installs the handlers and clears the stored failure; the caller calls
// setjmp(manager.jump) before any libjpeg call that may fail.
jpeg_error_mgr* InstallCodecErrors(CodecErrorManager& manager);

// Why the last decode or encode on this thread failed (see `reason` in
// ImgCodec.h). An error jump stores a reason from libjpeg's message unless a
// more precise one was stored before it.
const char* CodecFailure();
void SetCodecFailure(const char* reason);
