// The brightness-contrast window's luminance histogram, its graph and the
// places of its controls.
#pragma once

#include <cstdint>

#include "app/ParameterWindow.h"
#include "core/Image.h"

namespace cont_window {
// clang-format off
enum Control {
    kInHeading, kInLow, kInTilde, kInHigh,     // input range
    kOutHeading, kOutLow, kOutTilde, kOutHigh, // output range
    kReadout,
};
// clang-format on
// Where the graph is copied in the client area.
constexpr int kGraphX = 4, kGraphY = 4;
} // namespace cont_window

struct LuminanceHistogram {
    uint64_t count[256] = {};
    int32_t minimum = 255; // first luminance present; 255 when none
    int32_t maximum = 0;   // last luminance present; 0 when none
    int32_t mode = 0;      // most frequent, the lowest among equals
    uint64_t peak = 0;     // its count
};

LuminanceHistogram MeasureLuminance(const CImage& image);

// The 272 x 222 graph: a frame, the caption and one bar per luminance, the
// mode's bar 200 pixels high.
MonoGraph HistogramGraph(const LuminanceHistogram& histogram);
