// The outline window: pixels that differ from a direct neighbour by more than
// the threshold are painted black.
#include "app/windows/ThresholdWindow.h"
#include "app/windows/Windows.h"
#include "ops/filters/FilterOps.h"

namespace {

constexpr auto kControls = threshold_window::Controls(64);

bool OutlineInBlack(CImage& image, int32_t threshold) {
    return AddOutline(image, threshold, 0);
}

} // namespace

const WindowDefinition kOutlineWindow = {
    .frame = threshold_window::Frame("輪郭線追加"),
    .controls = kControls,
    .make = MakeBehaviour<threshold_window::Behaviour<OutlineInBlack>>,
};
