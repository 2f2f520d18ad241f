// The places of the tone-cut window's controls in its table.
#pragma once

namespace ycut_window {
enum Control {
    kThresholdHeading, kThreshold, kThresholdSpin, kMode,
    kColourHeading, kRName, kR, kGName, kG, kBName, kB,
};
} // namespace ycut_window
