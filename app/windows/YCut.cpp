// The tone-cut window: a luminance threshold, at or below / at or above, and
// the colour the selected pixels take.
#include "app/windows/YCut.h"

#include "app/Document.h"
#include "app/windows/ColourBoxes.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

namespace {

using namespace ycut_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 20, .text = "境界値",
     .x = 4, .y = 4, .width = 128, .height = 28},
    {.kind = ControlKind::Edit, .id = 1, .x = 4, .y = 32, .width = 48, .height = 22},
    {.kind = ControlKind::UpDown, .id = 2, .x = 55, .y = 32, .width = 24, .height = 22,
     .minimum = 0, .maximum = 255, .start = 128, .buddy = kThreshold},
    {.kind = ControlKind::EditCombo, .id = 3, .text = "以下\n以上",
     .x = 80, .y = 32, .width = 72, .height = 90},
    {.kind = ControlKind::Label, .id = 21, .text = "置換色",
     .x = 4, .y = 72, .width = 128, .height = 28},
    {.kind = ControlKind::Label, .id = 22, .text = "R:", .x = 4, .y = 100, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 4, .x = 20, .y = 100, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 23, .text = "G:", .x = 72, .y = 100, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 5, .x = 88, .y = 100, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 24, .text = "B:", .x = 140, .y = 100, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 6, .x = 156, .y = 100, .width = 48, .height = 22},
};
// clang-format on

struct Cut {
    int32_t mode, threshold;
    TypedColour colour;

    void ApplyTo(CImage& image) const {
        ToneCut(image, mode, threshold, colour.r, colour.g, colour.b);
    }
};

// Empty colour boxes read as 0, black. The threshold is used as typed.
Cut Read(ParameterWindowSession& s) {
    // Only the first item means "at or below"; a typed mode has no selection.
    const int32_t mode = s.Surface().GetComboSelection(kMode) == 0 ? 1 : 2;
    return {mode, s.ReadLong(kThreshold), {s.ReadLong(kR), s.ReadLong(kG), s.ReadLong(kB)}};
}

class YCutWindow : public WindowBehaviour {
    Cut cut_{};

    // Reads the boxes; a wrong colour is named and the window stays open.
    bool ReadChecked(ParameterWindowSession& s) {
        cut_ = Read(s);
        if (!cut_.colour.Valid()) s.Surface().ShowMessage("置換色の設定に誤りがあります", "エラー");
        return cut_.colour.Valid();
    }

    void OnPreview(ParameterWindowSession& s) override {
        CImage* preview = s.ResetPreview();
        if (!ReadChecked(s)) return;
        if (preview) cut_.ApplyTo(*preview);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        if (!ReadChecked(s)) return;
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        cut_.ApplyTo(s.Document().Current());
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kYCutWindow = {
    .frame = {.title = "階調切捨て", .width = 360, .height = 224,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(10, 128, 144), .cancel = CancelButton(11, 208, 144),
              .preview = PreviewButton(9, 4, 144, 108),
              .previewKind = PreviewKind::Panel, .previewX = 212, .previewY = 4},
    .controls = kControls,
    .make = MakeBehaviour<YCutWindow>,
};
// clang-format on
