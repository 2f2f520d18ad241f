// The places of the single-colour replacement window's controls in its table.
#pragma once

namespace replace_window {
enum Control {
    kOldHeading, kOldRName, kOldR, kOldGName, kOldG, kOldBName, kOldB,
    kNewHeading, kNewRName, kNewR, kNewGName, kNewG, kNewBName, kNewB,
};
} // namespace replace_window
