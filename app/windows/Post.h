// The places of the posterisation window's controls in its table.
#pragma once

namespace post_window {
// One row per channel: its name, the box of levels, the box's up-down control
// and the unit.
enum Control {
    kRName, kR, kRSpin, kRUnit,
    kGName, kG, kGSpin, kGUnit,
    kBName, kB, kBSpin, kBUnit,
};
} // namespace post_window
