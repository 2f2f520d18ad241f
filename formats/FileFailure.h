// Why the last load or save on this thread failed, in a few words ("not a BMP
// file", "truncated", "unsupported JPEG: CMYK"), for the batch tool's
// messages. The readers and writers still answer only true or false; each
// failure stores its reason here, replacing the one before.
#pragma once

// The stored reason; "" when none has been stored since the last clear.
const char* FileFailure();

// Stores reason (a string that lives as long as the program) and returns
// false, so that a reader can end with `return FailWith("truncated");`.
bool FailWith(const char* reason);

// Stores reason only when none is stored yet: a general fallback that keeps
// the more precise reason a lower level gave.
void FailWithIfNone(const char* reason);

void ClearFileFailure();
