// The places of the gamma correction window's controls in its table.
#pragma once

namespace gamma_window {
enum Control { kLabel, kTrackbar };
} // namespace gamma_window
