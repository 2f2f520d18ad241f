// The RGB conversion window: twelve typed coefficients laid out as the three
// formulas they form. It hands them back to the document, which applies them.
#include "app/windows/RGB.h"

#include <array>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

using namespace rgb_window;

namespace {

// Row r reads "R= [m0] R+ [m1] G+ [m2] B+ [m3]" (then G=, B=) at y = 6 + 32 r;
// box m[i] carries the identifier i, the labels 15 onwards.
constexpr std::array<ControlDef, 3 * kControlsPerRow> MakeControls() {
    constexpr const char* kRowLabels[] = {"R=", "G=", "B="};
    constexpr const char* kTerms[] = {"R+", "G+", "B+"};
    std::array<ControlDef, 3 * kControlsPerRow> c{};
    int label = 15;
    for (int r = 0; r < 3; ++r) {
        const int t = 6 + 32 * r;
        ControlDef* row = &c[size_t(r * kControlsPerRow)];
        row[0] = {.kind = ControlKind::RightLabel, .id = label++, .text = kRowLabels[r],
                  .x = 2, .y = t, .width = 28, .height = 18};
        for (int k = 0; k < 4; ++k) {
            row[1 + 2 * k] = {.kind = ControlKind::Edit, .id = 4 * r + k, .text = "0",
                              .x = 32 + 80 * k, .y = t - 2, .width = 52, .height = 22};
            if (k < 3)
                row[2 + 2 * k] = {.kind = ControlKind::RightLabel, .id = label++,
                                  .text = kTerms[k], .x = 82 + 80 * k, .y = t, .width = 28,
                                  .height = 18};
        }
    }
    return c;
}

constexpr auto kControls = MakeControls();

// Each box read from at most 63 characters as a real number.
void ReadCoefficients(ParameterWindowSession& s, double m[12]) {
    for (int i = 0; i < 12; ++i)
        m[i] = s.ReadDouble(Box(i), 63);
}

class RgbWindow : public WindowBehaviour {
    void OnPreview(ParameterWindowSession& s) override {
        double m[12];
        ReadCoefficients(s, m);
        if (CImage* preview = s.ResetPreview()) ConvertRgb(*preview, m);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        RgbConversion& record = s.Record().conversion;
        ReadCoefficients(s, record.m);
        record.result = 1;
        s.Finish(true);
    }

    void OnDestroy(ParameterWindowSession& s) override {
        RgbConversion& record = s.Record().conversion;
        if (record.result != 1) record.result = 2;
    }
};

} // namespace

// clang-format off
const WindowDefinition kRgbWindow = {
    .frame = {.title = "RGB変換", .width = 480, .height = 176,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(13, 148, 104), .cancel = CancelButton(14, 236, 104),
              .preview = PreviewButton(12, 8, 104, 112),
              .previewKind = PreviewKind::Panel, .previewX = 332, .previewY = 4,
              .focus = Box(0)},
    .controls = kControls,
    .make = MakeBehaviour<RgbWindow>,
};
// clang-format on
