// The component adjustment window: a colour model and three offsets from -64
// to +64, one trackbar each, with the preview following the trackbars.
#include "app/windows/Conv.h"

#include <cstdio>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

using namespace conv_window;

namespace {

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::EditCombo, .id = 3, .text = "RGB\nYCrCb",
     .x = 4, .y = 4, .width = 72, .height = 90},
    {.kind = ControlKind::Label, .id = 4, .text = "R:0", .x = 4, .y = 52, .width = 64, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 5,
     .x = 64, .y = 48, .width = 160, .height = 32, .minimum = 0, .maximum = 128, .start = 64},
    {.kind = ControlKind::Label, .id = 6, .text = "G:0", .x = 4, .y = 92, .width = 64, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 7,
     .x = 64, .y = 88, .width = 160, .height = 32, .minimum = 0, .maximum = 128, .start = 64},
    {.kind = ControlKind::Label, .id = 8, .text = "B:0", .x = 4, .y = 132, .width = 64, .height = 28},
    {.kind = ControlKind::Trackbar, .id = 9,
     .x = 64, .y = 128, .width = 160, .height = 32, .minimum = 0, .maximum = 128, .start = 64},
};
// clang-format on

struct Offsets {
    ColourModel model;
    int32_t value[3];
};

class ConvWindow : public WindowBehaviour {
    // Selection 0 is RGB; "YCrCb", or text typed into the field (no
    // selection), is YCrCb.
    static Offsets Read(ParameterWindowSession& s) {
        DialogSurface& surface = s.Surface();
        Offsets o{surface.GetComboSelection(kModel) == 0 ? ColourModel::Rgb : ColourModel::YCrCb,
                  {}};
        constexpr int kTrackbars[] = {kTrackbar1, kTrackbar2, kTrackbar3};
        for (int i = 0; i < 3; ++i)
            o.value[i] = surface.GetTrackbarPos(kTrackbars[i]) - 64;
        return o;
    }

    static void Relabel(ParameterWindowSession& s, const Offsets& o) {
        static constexpr const char* kRgb[] = {"R:%d", "G:%d", "B:%d"};
        static constexpr const char* kYcc[] = {"Y:%d", "Cr:%d", "Cb:%d"};
        constexpr int kLabels[] = {kLabel1, kLabel2, kLabel3};
        for (int i = 0; i < 3; ++i) {
            char text[32];
            std::snprintf(text, sizeof text, (o.model == ColourModel::Rgb ? kRgb : kYcc)[i],
                          o.value[i]);
            s.Surface().SetText(kLabels[i], text);
        }
    }

    static void Apply(CImage& image, const Offsets& o) {
        ApplyComponentOffsets(image, o.model, o.value[0], o.value[1], o.value[2]);
    }

    void OnScroll(ParameterWindowSession& s, int) override {
        const Offsets o = Read(s);
        if (CImage* preview = s.ResetPreview()) Apply(*preview, o);
        Relabel(s, o);
        s.Surface().Repaint();
    }

    // Every notification of the combo box, whatever it says: the labels take
    // the names of the model now chosen; the preview waits for a trackbar.
    void OnCommand(ParameterWindowSession& s, int control, int) override {
        if (control == kModel) Relabel(s, Read(s));
    }

    void OnExecute(ParameterWindowSession& s) override {
        const Offsets o = Read(s);
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        Apply(s.Document().Current(), o);
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kConvWindow = {
    .frame = {.title = "成分調整", .width = 380, .height = 240,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(1, 16, 168), .cancel = CancelButton(2, 100, 168),
              .previewKind = PreviewKind::Panel, .previewX = 232, .previewY = 8},
    .controls = kControls,
    .make = MakeBehaviour<ConvWindow>,
};
// clang-format on
