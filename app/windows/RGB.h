// The places of the RGB conversion window's controls in its table: three
// rows, each a row label and four boxes with the labels between them.
#pragma once

namespace rgb_window {
constexpr int kControlsPerRow = 8;
// The place of the box for coefficient m[i], 0 <= i < 12.
constexpr int Box(int i) {
    return i / 4 * kControlsPerRow + i % 4 * 2 + 1;
}
} // namespace rgb_window
