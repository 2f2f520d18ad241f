// The brightness-contrast window's luminance histogram, its graph and its
// control identifiers.
#pragma once

#include <cstdint>

#include "core/Image.h"
#include "core/ParameterWindow.h"

namespace cont_window {
constexpr int kPreview = 4, kExecute = 5, kCancel = 6;
constexpr int kInLow = 10, kInHigh = 11, kOutLow = 12, kOutHigh = 13;
constexpr int kInHeading = 20, kInTilde = 21, kOutHeading = 22, kOutTilde = 23, kReadout = 24;
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
