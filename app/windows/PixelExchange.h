// The places of the pixel exchange window's controls.
#pragma once

namespace pixel_exchange_window {
enum Control { kLabel, kTrackbar };
} // namespace pixel_exchange_window
