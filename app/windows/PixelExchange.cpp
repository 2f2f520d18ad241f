// The pixel exchange window: one trackbar sets the exchange probability in
// percent; there is no preview.
#include "app/windows/PixelExchange.h"

#include <cstdio>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/filters/FilterOps.h"

namespace {

using namespace pixel_exchange_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 2, .text = "交換確率:10%",
     .x = 4, .y = 8, .width = 160, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 0,
     .x = 4, .y = 48, .width = 160, .height = 32, .minimum = 0, .maximum = 100, .start = 10},
};
// clang-format on

class PixelExchangeWindow : public WindowBehaviour {
    void OnScroll(ParameterWindowSession& s, int) override {
        char label[32];
        std::snprintf(label, sizeof label, "交換確率:%d%%", s.Surface().GetTrackbarPos(kTrackbar));
        s.Surface().SetText(kLabel, label);
    }

    void OnExecute(ParameterWindowSession& s) override {
        CImageDocument& document = s.Document();
        if (!document.TakeUndoCopy()) return s.Finish(false);
        ExchangePixels(document.Current(), s.Surface().GetTrackbarPos(kTrackbar));
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kPixelExchangeWindow = {
    .frame = {.title = "ピクセル交換", .width = 200, .height = 200,
              .execute = ExecuteButton(1, 8, 100), .cancel = CancelButton(2, 96, 100)},
    .controls = kControls,
    .make = MakeBehaviour<PixelExchangeWindow>,
};
// clang-format on
