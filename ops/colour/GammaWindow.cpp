// The gamma correction window: one trackbar sets gamma from 0.02 to 2.00 and
// the panel shows the corrected preview.
#include "ops/colour/GammaWindow.h"

#include <cstdio>

#include "core/Document.h"
#include "core/ParameterWindow.h"
#include "ops/colour/ColourOps.h"

namespace {

using namespace gamma_window;

constexpr ControlDef kControls[] = {
    {ControlKind::Label, kLabel, "ガンマ補正:1.0", 4, 8, 160, 28},
    {ControlKind::Trackbar, kTrackbar, "", 4, 48, 160, 32, 1, 100, 50},
};

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

extern const WindowDefinition kGammaWindow = {ParameterWindow::Gamma, kControls, -1,
                                              MakeBehaviour<GammaWindow>};
