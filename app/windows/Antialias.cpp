// The antialiasing window: pixels that differ from one of their eight
// neighbours by more than the threshold are smoothed.
#include "app/windows/ThresholdWindow.h"
#include "app/windows/Windows.h"
#include "ops/filters/FilterOps.h"

namespace {

constexpr auto kControls = threshold_window::Controls(128);

} // namespace

const WindowDefinition kAntialiasWindow = {
    .frame = threshold_window::Frame("アンチエイリアシング"),
    .controls = kControls,
    .make = MakeBehaviour<threshold_window::Behaviour<Antialias>>,
};
