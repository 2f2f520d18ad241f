#include "formats/FileFailure.h"

namespace {
// One per thread: the batch tool loads and saves on several at once.
thread_local const char* t_reason = "";
} // namespace

const char* FileFailure() {
    return t_reason;
}

bool FailWith(const char* reason) {
    t_reason = reason ? reason : "";
    return false;
}

void FailWithIfNone(const char* reason) {
    if (!*t_reason) FailWith(reason);
}

void ClearFileFailure() {
    t_reason = "";
}
