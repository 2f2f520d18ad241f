// The gamma correction window: one trackbar sets gamma from 0.02 to 2.00 and
// the panel shows the corrected preview.
#include "app/windows/Gamma.h"

#include <cstdio>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

namespace {

using namespace gamma_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 10, .text = "ガンマ補正:1.0",
     .x = 4, .y = 8, .width = 160, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 11,
     .x = 4, .y = 48, .width = 160, .height = 32, .minimum = 1, .maximum = 100, .start = 50},
};
// clang-format on

double GammaAt(int position) {
    return (position - 50) / 50.0 + 1.0;
}

class GammaWindow : public WindowBehaviour {
    void OnScroll(ParameterWindowSession& s, int) override {
        double gamma = GammaAt(s.Surface().GetTrackbarPos(kTrackbar));
        if (CImage* preview = s.ResetPreview()) CorrectGamma(*preview, gamma);
        char label[64];
        std::snprintf(label, sizeof label, "ガンマ補正:%1.2f", gamma);
        s.Surface().SetText(kLabel, label);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        CImageDocument& document = s.Document();
        if (!document.TakeUndoCopy()) return s.Finish(false);
        CorrectGamma(document.Current(), GammaAt(s.Surface().GetTrackbarPos(kTrackbar)));
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kGammaWindow = {
    .frame = {.title = "ガンマ補正", .width = 320, .height = 200,
              .execute = ExecuteButton(1, 8, 100), .cancel = CancelButton(2, 96, 100),
              .previewKind = PreviewKind::Panel, .previewX = 176, .previewY = 8},
    .controls = kControls,
    .make = MakeBehaviour<GammaWindow>,
};
// clang-format on
