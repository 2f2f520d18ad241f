// The places of the saturation window's controls in its table.
#pragma once

namespace conts_window {
enum Control { kLabel, kTrackbar };
} // namespace conts_window
