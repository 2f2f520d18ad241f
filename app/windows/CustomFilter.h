// The places of the custom 3x3 filter window's controls in its table.
#pragma once

namespace custom_filter_window {
// The nine coefficient boxes come first, row by row from the top left.
enum Control { kBox0, kDivisorLabel = 9, kDivisor, kAddendLabel, kAddend };
} // namespace custom_filter_window
