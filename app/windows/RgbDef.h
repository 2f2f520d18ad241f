// The places of the colour-difference enlargement window's controls.
#pragma once

namespace rgbdef_window {
enum Control { kLabel, kTrackbar };
} // namespace rgbdef_window
