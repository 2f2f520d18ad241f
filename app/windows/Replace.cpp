// The single-colour replacement window: the colour to find and the colour it
// becomes. Exact matches must be found among the real pixels, so the panel
// shows a full-size copy stretched down instead of a reduced one.
#include "app/windows/Replace.h"

#include "app/Document.h"
#include "app/windows/ColourBoxes.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

namespace {

using namespace replace_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 20, .text = "元の色",
     .x = 4, .y = 4, .width = 128, .height = 28},
    {.kind = ControlKind::Label, .id = 21, .text = "R:", .x = 4, .y = 36, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 3, .x = 20, .y = 36, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 22, .text = "G:", .x = 72, .y = 36, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 4, .x = 88, .y = 36, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 23, .text = "B:", .x = 140, .y = 36, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 5, .x = 156, .y = 36, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 24, .text = "変換色",
     .x = 4, .y = 64, .width = 128, .height = 28},
    {.kind = ControlKind::Label, .id = 25, .text = "R:", .x = 4, .y = 96, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 6, .x = 20, .y = 96, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 26, .text = "G:", .x = 72, .y = 96, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 7, .x = 88, .y = 96, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 27, .text = "B:", .x = 140, .y = 96, .width = 16, .height = 24},
    {.kind = ControlKind::Edit, .id = 8, .x = 156, .y = 96, .width = 48, .height = 22},
};
// clang-format on

// An empty box reads as -1, so a colour left out is refused rather than black.
int32_t ReadChannel(ParameterWindowSession& s, int control) {
    return s.Surface().GetText(control).empty() ? -1 : s.ReadLong(control);
}

TypedColour ReadColour(ParameterWindowSession& s, int r, int g, int b) {
    return {ReadChannel(s, r), ReadChannel(s, g), ReadChannel(s, b)};
}

class ReplaceWindow : public WindowBehaviour {
    TypedColour from_{}, to_{};

    // The colour to find is checked first: one press shows one message.
    bool ReadChecked(ParameterWindowSession& s) {
        from_ = ReadColour(s, kOldR, kOldG, kOldB);
        to_ = ReadColour(s, kNewR, kNewG, kNewB);
        const char* wrong = !from_.Valid() ? "元の色の設定に誤りがあります"
                            : !to_.Valid() ? "置換色の設定に誤りがあります"
                                           : nullptr;
        if (wrong) s.Surface().ShowMessage(wrong, "エラー");
        return !wrong;
    }

    void Apply(CImage& image) const {
        ReplaceColor(image, from_.r, from_.g, from_.b, to_.r, to_.g, to_.b);
    }

    // The full-size copy starts again from the document's image.
    void OnPreview(ParameterWindowSession& s) override {
        CImage* preview = s.ResetPreview();
        if (!ReadChecked(s)) return;
        if (preview) Apply(*preview);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        if (!ReadChecked(s)) return;
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        Apply(s.Document().Current());
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kReplaceWindow = {
    .frame = {.title = "単色置換", .width = 360, .height = 224,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(1, 128, 144), .cancel = CancelButton(2, 208, 144),
              .preview = PreviewButton(0, 4, 144, 108),
              .previewKind = PreviewKind::Stretched, .previewX = 212, .previewY = 4},
    .controls = kControls,
    .make = MakeBehaviour<ReplaceWindow>,
};
// clang-format on
