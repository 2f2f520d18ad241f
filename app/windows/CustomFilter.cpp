// The custom 3x3 filter window: nine coefficients laid out as the picture is,
// a divisor and an addend. It hands its kernel back; the document checks the
// divisor and applies it.
#include "app/windows/CustomFilter.h"

#include "app/windows/Windows.h"

namespace {

using namespace custom_filter_window;

constexpr ControlDef Box(int id, int x, int y) {
    return {.kind = ControlKind::Edit, .id = id, .x = x, .y = y, .width = 48, .height = 22};
}

// clang-format off
constexpr ControlDef kControls[] = {
    Box(0, 8, 4),  Box(1, 64, 4),  Box(2, 120, 4),
    Box(3, 8, 28), Box(4, 64, 28), Box(5, 120, 28),
    Box(6, 8, 52), Box(7, 64, 52), Box(8, 120, 52),
    {.kind = ControlKind::CentredLabel, .id = 13, .text = "除算値",
     .x = 180, .y = 30, .width = 56, .height = 22},
    Box(9, 184, 52),
    {.kind = ControlKind::CentredLabel, .id = 13, .text = "加算値",
     .x = 244, .y = 30, .width = 56, .height = 22},
    Box(10, 248, 52),
};
// clang-format on

constexpr size_t kDigits = 63;
constexpr double kCancelled = 9999.0; // a divisor the document refuses

class CustomFilterWindow : public WindowBehaviour {
    void OnExecute(ParameterWindowSession& s) override {
        FilterKernel& kernel = s.Record().kernel;
        // The top row of boxes weighs the row above the pixel, which is the
        // kernel's last row.
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                kernel.coefficients[3 * (2 - row) + column] =
                    s.ReadDouble(kBox0 + 3 * row + column, kDigits);
        kernel.addend = s.ReadDouble(kAddend, kDigits);
        kernel.divisor = s.ReadDouble(kDivisor, kDigits);
        s.Finish(kernel.divisor != 0.0);
    }

    // A cancel, the close box and an execute with the divisor 0 all end here
    // with the divisor still 0.
    void OnDestroy(ParameterWindowSession& s) override {
        if (s.Record().kernel.divisor == 0.0) s.Record().kernel.divisor = kCancelled;
    }
};

} // namespace

// clang-format off
const WindowDefinition kCustomFilterWindow = {
    .frame = {.title = "3X3フィルタ", .width = 320, .height = 160, .navigation = true,
              .buttonTabStops = true,
              .execute = {.id = 11, .x = 8, .y = 90, .width = 80, .caption = "実行(&G)"},
              .cancel = CancelButton(12, 96, 90, 80), .focus = kBox0},
    .controls = kControls,
    .make = MakeBehaviour<CustomFilterWindow>,
};
// clang-format on
