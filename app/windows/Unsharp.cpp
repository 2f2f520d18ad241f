// The unsharp-mask window: the range of the blurred neighbourhood and the strength.
#include "app/windows/RangeWindow.h"
#include "app/windows/Windows.h"

namespace {

using namespace range_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::RightLabel, .id = 15, .text = "範囲:1",
     .x = 4, .y = 8, .width = 88, .height = 30},
    {.kind = ControlKind::Trackbar, .id = 0,
     .x = 96, .y = 8, .width = 160, .height = 32, .minimum = 1, .maximum = 6, .start = 1},
    {.kind = ControlKind::RightLabel, .id = 15, .text = "強度:0.0",
     .x = 4, .y = 48, .width = 88, .height = 30},
    {.kind = ControlKind::Trackbar, .id = 0,
     .x = 96, .y = 48, .width = 160, .height = 32, .minimum = 0, .maximum = 40, .start = 20},
};
// clang-format on

constexpr Labels kLabels = {"範囲:%d", "強度:%1.1lf"};

bool ApplyUnsharp(CImage& image, int32_t range, double strength) {
    return image.UnsharpMask(range, strength);
}

} // namespace

// clang-format off
const WindowDefinition kUnsharpWindow = {
    .frame = {.title = "アンシャープマスク", .width = 320, .height = 180,
              .execute = ExecuteButton(1, 32, 108), .cancel = CancelButton(2, 120, 108)},
    .controls = kControls,
    .make = MakeBehaviour<Behaviour<kLabels, ApplyUnsharp>>,
};
// clang-format on
