// The posterisation window: one box of levels per channel, each with an
// up-down control; the panel follows every change of the boxes' text.
#include "app/windows/Post.h"

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

namespace {

using namespace post_window;

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::CentredLabel, .id = 21, .text = "R",
     .x = 4, .y = 10, .width = 22, .height = 20},
    {.kind = ControlKind::Edit, .id = 1, .x = 28, .y = 8, .width = 48, .height = 22},
    {.kind = ControlKind::UpDown, .id = 11, .x = 76, .y = 8, .width = 24, .height = 22,
     .minimum = 2, .maximum = 256, .start = 4, .buddy = kR},
    {.kind = ControlKind::Label, .id = 31, .text = "階調",
     .x = 104, .y = 10, .width = 40, .height = 22},
    {.kind = ControlKind::CentredLabel, .id = 22, .text = "G",
     .x = 4, .y = 42, .width = 22, .height = 20},
    {.kind = ControlKind::Edit, .id = 2, .x = 28, .y = 40, .width = 48, .height = 22},
    {.kind = ControlKind::UpDown, .id = 12, .x = 76, .y = 40, .width = 24, .height = 22,
     .minimum = 2, .maximum = 256, .start = 4, .buddy = kG},
    {.kind = ControlKind::Label, .id = 32, .text = "階調",
     .x = 104, .y = 42, .width = 40, .height = 22},
    {.kind = ControlKind::CentredLabel, .id = 23, .text = "B",
     .x = 4, .y = 74, .width = 22, .height = 20},
    {.kind = ControlKind::Edit, .id = 3, .x = 28, .y = 72, .width = 48, .height = 22},
    {.kind = ControlKind::UpDown, .id = 13, .x = 76, .y = 72, .width = 24, .height = 22,
     .minimum = 2, .maximum = 256, .start = 4, .buddy = kB},
    {.kind = ControlKind::Label, .id = 33, .text = "階調",
     .x = 104, .y = 74, .width = 40, .height = 22},
};
// clang-format on

// Counts outside 2..256 make Posterize refuse, which leaves the image as it
// was: the window passes them on without a word.
bool PosterizeAsTyped(ParameterWindowSession& s, CImage& image) {
    return Posterize(image, s.ReadLong(kR), s.ReadLong(kG), s.ReadLong(kB));
}

class PostWindow : public WindowBehaviour {
    // Also while the window is being made: each up-down control writes its
    // start value into its box, and the boxes made later still read as 0.
    void OnEditChange(ParameterWindowSession& s, int) override {
        if (CImage* preview = s.ResetPreview()) PosterizeAsTyped(s, *preview);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        PosterizeAsTyped(s, s.Document().Current());
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kPostWindow = {
    .frame = {.title = "階調変更", .width = 320, .height = 200,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(6, 8, 100), .cancel = CancelButton(7, 96, 100),
              .previewKind = PreviewKind::Panel, .previewX = 176, .previewY = 8},
    .controls = kControls,
    .make = MakeBehaviour<PostWindow>,
};
// clang-format on
