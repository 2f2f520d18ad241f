#include "codec/JpegErrors.h"

namespace {

thread_local const char* t_failure = "";

const char* ReasonOf(int messageCode) {
    switch (messageCode) {
    case JERR_NO_SOI:
        return "not a JPEG file";
    case JERR_BAD_PRECISION:
        return "unsupported JPEG: not 8 bits per sample";
    case JERR_NO_IMAGE:
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
    case JWRN_HIT_MARKER:
        return "truncated";
    case JERR_OUT_OF_MEMORY:
        return "out of memory";
    case JERR_NOT_COMPILED:
    case JERR_CONVERSION_NOTIMPL:
        return "unsupported JPEG";
    default:
        return "corrupt JPEG data";
    }
}

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<CodecErrorManager*>(cinfo->err);
    // Whatever went wrong after the data ran out, the file was cut short.
    if (!*t_failure)
        t_failure = manager->reachedEndOfFile ? "truncated" : ReasonOf(manager->pub.msg_code);
    std::longjmp(manager->jump, 1);
}

// Level -1 is a warning about corrupt data; the others are trace messages.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level != -1) return;
    auto* manager = reinterpret_cast<CodecErrorManager*>(cinfo->err);
    if (manager->pub.msg_code == JWRN_HIT_MARKER) JumpBack(cinfo);
    if (manager->pub.msg_code == JWRN_JPEG_EOF) manager->reachedEndOfFile = true;
    manager->pub.num_warnings++;
}

void Silent(j_common_ptr) {}

} // namespace

jpeg_error_mgr* InstallCodecErrors(CodecErrorManager& manager) {
    jpeg_error_mgr* err = jpeg_std_error(&manager.pub);
    err->error_exit = JumpBack;
    err->emit_message = OnMessage;
    err->output_message = Silent;
    manager.reachedEndOfFile = false;
    t_failure = "";
    return err;
}

const char* CodecFailure() {
    return t_failure;
}

void SetCodecFailure(const char* reason) {
    t_failure = reason ? reason : "";
}
