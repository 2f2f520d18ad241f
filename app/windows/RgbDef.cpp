// The colour-difference enlargement window: one trackbar sets the strength
// from 100 % (no change) to 200 %. It has no preview.
#include "app/windows/RgbDef.h"

#include <cstdio>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

namespace {

using namespace rgbdef_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 10, .text = "成分差:150%",
     .x = 4, .y = 8, .width = 160, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 11,
     .x = 4, .y = 48, .width = 160, .height = 32, .minimum = 100, .maximum = 200, .start = 150},
};
// clang-format on

class RgbDefWindow : public WindowBehaviour {
    void OnScroll(ParameterWindowSession& s, int) override {
        char label[32];
        std::snprintf(label, sizeof label, "成分差:%d%%", s.Surface().GetTrackbarPos(kTrackbar));
        s.Surface().SetText(kLabel, label);
    }

    void OnExecute(ParameterWindowSession& s) override {
        const double k = (s.Surface().GetTrackbarPos(kTrackbar) - 100.0) / 100.0;
        CImageDocument& document = s.Document();
        if (!document.TakeUndoCopy()) return s.Finish(false);
        // Out of memory the image stays as it was: that is no execution.
        s.Finish(EnlargeColorDifference(document.Current(), k));
    }
};

} // namespace

// clang-format off
const WindowDefinition kRgbDefWindow = {
    .frame = {.title = "色成分差拡大", .width = 360, .height = 224, .navigation = true,
              .execute = ExecuteButton(1, 8, 100), .cancel = CancelButton(2, 96, 100)},
    .controls = kControls,
    .make = MakeBehaviour<RgbDefWindow>,
};
// clang-format on
