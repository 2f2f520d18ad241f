// Control identifiers of the gamma correction window.
#pragma once

namespace gamma_window {
constexpr int kExecute = 1, kCancel = 2, kLabel = 10, kTrackbar = 11;
} // namespace gamma_window
