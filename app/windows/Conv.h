// The places of the component adjustment window's controls in its table.
#pragma once

namespace conv_window {
enum Control { kModel, kLabel1, kTrackbar1, kLabel2, kTrackbar2, kLabel3, kTrackbar3 };
} // namespace conv_window
