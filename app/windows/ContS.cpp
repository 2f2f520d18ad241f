// The saturation window: one trackbar lengthens or shortens every chroma by
// -32 to +32, and the panel shows the result.
#include "app/windows/ContS.h"

#include <cstdio>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

using namespace conts_window;

namespace {

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 3, .text = "彩度増減:0",
     .x = 4, .y = 8, .width = 160, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 4,
     .x = 4, .y = 48, .width = 160, .height = 32, .minimum = 0, .maximum = 64, .start = 32},
};
// clang-format on

int32_t Amount(ParameterWindowSession& s) {
    return s.Surface().GetTrackbarPos(kTrackbar) - 32;
}

class ContSWindow : public WindowBehaviour {
    void OnScroll(ParameterWindowSession& s, int) override {
        const int32_t amount = Amount(s);
        if (CImage* preview = s.ResetPreview()) AdjustSaturation(*preview, amount);
        char label[32];
        std::snprintf(label, sizeof label, "彩度増減:%d", amount);
        s.Surface().SetText(kLabel, label);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        const int32_t amount = Amount(s);
        CImageDocument& document = s.Document();
        if (!document.TakeUndoCopy()) return s.Finish(false);
        // Out of memory for the working table: the image is as it was.
        s.Finish(AdjustSaturation(document.Current(), amount));
    }
};

} // namespace

// clang-format off
const WindowDefinition kContSWindow = {
    .frame = {.title = "彩度調整", .width = 320, .height = 200,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(1, 8, 100), .cancel = CancelButton(2, 96, 100),
              .previewKind = PreviewKind::Panel, .previewX = 176, .previewY = 8},
    .controls = kControls,
    .make = MakeBehaviour<ContSWindow>,
};
// clang-format on
