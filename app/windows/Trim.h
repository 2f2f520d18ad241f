// The places of the trimming window's controls and the frame it shows in the view.
#pragma once

#include <cstdint>

#include "app/ParameterWindow.h"

namespace trim_window {
enum Control { kCornerLabel, kX, kY, kSizeLabel, kWidth, kHeight };
} // namespace trim_window

// The trim frame of the rectangle whose lower-left pixel is (x, y), in view
// pixels at the given scale (rows counted from the top, before scrolling).
// False when the image would refuse to trim to it.
bool TrimFrameFor(int32_t x, int32_t y, int32_t width, int32_t height, int32_t imageWidth,
                  int32_t imageHeight, double scale, TrimFrame& frame);
