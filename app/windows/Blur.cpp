// The blur window: the averaging range and the weight of the centre pixel.
#include "app/windows/RangeWindow.h"
#include "app/windows/Windows.h"

namespace {

using namespace range_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::RightLabel, .id = 15, .text = "平均化範囲:1",
     .x = 0, .y = 8, .width = 144, .height = 30},
    {.kind = ControlKind::Trackbar, .id = 0,
     .x = 148, .y = 8, .width = 160, .height = 32, .minimum = 1, .maximum = 6, .start = 1},
    {.kind = ControlKind::RightLabel, .id = 15, .text = "中心画素濃度:1.0",
     .x = 0, .y = 48, .width = 144, .height = 30},
    {.kind = ControlKind::Trackbar, .id = 0,
     .x = 148, .y = 48, .width = 160, .height = 32, .minimum = 0, .maximum = 40, .start = 25},
};
// clang-format on

constexpr Labels kLabels = {"平均化範囲:%d", "中心画素濃度:%1.1lf"};

bool ApplyBlur(CImage& image, int32_t range, double centreWeight) {
    return image.Blur(range, centreWeight);
}

} // namespace

// clang-format off
const WindowDefinition kBlurWindow = {
    .frame = {.title = "ぼかし処理", .width = 340, .height = 180,
              .execute = ExecuteButton(1, 32, 108), .cancel = CancelButton(2, 120, 108)},
    .controls = kControls,
    .make = MakeBehaviour<Behaviour<kLabels, ApplyBlur>>,
};
// clang-format on
