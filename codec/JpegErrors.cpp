#include "codec/JpegErrors.h"

namespace {

[[noreturn]] void JumpBack(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<CodecErrorManager*>(cinfo->err);
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
    return err;
}
