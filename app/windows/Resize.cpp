// The resize window: a typed width and height, kept in proportion on request,
// applied by resampling or by the display's halftone stretching.
#include "app/windows/Resize.h"

#include <cmath>
#include <string>

#include "app/Document.h"
#include "app/windows/Windows.h"

using namespace resize_window;

int32_t KeptAspect(int32_t side, int32_t other, int32_t typed) {
    const double kept = std::ceil((double(other) / side) * typed);
    // A typed length near the int limit must not overflow the conversion.
    if (!(kept > -2147483648.0)) return INT32_MIN;
    if (kept > 2147483647.0) return INT32_MAX;
    return int32_t(kept);
}

namespace {

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 5, .text = "幅", .x = 8, .y = 10, .width = 20, .height = 20},
    {.kind = ControlKind::Edit, .id = 0, .x = 32, .y = 8, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 5, .text = "高さ",
     .x = 92, .y = 10, .width = 36, .height = 20},
    {.kind = ControlKind::Edit, .id = 1, .x = 136, .y = 8, .width = 48, .height = 22},
    {.kind = ControlKind::CheckBox, .id = 4, .text = "縦横比を維持",
     .x = 16, .y = 88, .width = 128, .height = 30, .start = 1},
    {.kind = ControlKind::CheckBox, .id = 5, .text = "API使用",
     .x = 16, .y = 120, .width = 128, .height = 32, .start = 0},
};
// clang-format on

constexpr size_t kDigits = 63;

class ResizeWindow : public WindowBehaviour {
    void OnCreate(ParameterWindowSession& s) override {
        // Neither box has the focus yet, so filling them changes nothing else.
        const CImage& image = s.Document().Current();
        s.Surface().SetText(kWidth, std::to_string(image.Width()));
        s.Surface().SetText(kHeight, std::to_string(image.Height()));
    }

    // Only the box being typed into drives the other: the window's own update
    // of that other box has no focus and stops there.
    void OnEditChange(ParameterWindowSession& s, int control) override {
        DialogSurface& surface = s.Surface();
        if (!surface.IsChecked(kKeepAspect) || !surface.HasFocus(control)) return;
        const CImage& image = s.Document().Current();
        if (image.Width() < 1 || image.Height() < 1) return;
        const int32_t typed = s.ReadLong(control, kDigits);
        const int32_t w = image.Width(), h = image.Height();
        if (control == kWidth)
            surface.SetText(kHeight, std::to_string(KeptAspect(w, h, typed)));
        else
            surface.SetText(kWidth, std::to_string(KeptAspect(h, w, typed)));
    }

    void OnExecute(ParameterWindowSession& s) override {
        const int32_t width = s.ReadLong(kWidth, kDigits);
        const int32_t height = s.ReadLong(kHeight, kDigits);
        // An empty image is of no use to anything else: refused, left for correction.
        if (width < 1 || height < 1) return s.Surface().ShowMessage(kSizeRefused, kErrorCaption);
        if (s.Surface().IsChecked(kUseApi))
            Stretch(s, width, height);
        else
            Resample(s, width, height);
    }

    static void Stretch(ParameterWindowSession& s, int32_t width, int32_t height) {
        CImageDocument& document = s.Document();
        CImage stretched;
        if (!s.Surface().StretchHalftone(document.Current(), width, height, stretched)) {
            s.Surface().ShowMessage(kBitmapFailed, kErrorCaption);
            s.Surface().SetChecked(kUseApi, false);
            return;
        }
        if (!document.TakeUndoCopy()) return s.Finish(false);
        document.Current().Swap(stretched);
        s.Finish(true);
    }

    // A size that cannot be allocated is reported, not passed off as done: the
    // window stays open and the undo image keeps the state it had.
    static void Resample(ParameterWindowSession& s, int32_t width, int32_t height) {
        CImageDocument& document = s.Document();
        CImage previousUndo;
        previousUndo.Swap(document.Undo());
        if (!document.TakeUndoCopy() || !document.Current().Resample(width, height)) {
            document.Undo().Swap(previousUndo);
            return s.Surface().ShowMessage(kResizeFailed, kErrorCaption);
        }
        s.Finish(true);
    }
};

} // namespace

// clang-format off
const WindowDefinition kResizeWindow = {
    .frame = {.title = "リサイズ", .width = 240, .height = 188, .navigation = true,
              .buttonTabStops = true,
              .execute = ExecuteButton(2, 16, 48), .cancel = CancelButton(3, 104, 48),
              .focus = kWidth},
    .controls = kControls,
    .make = MakeBehaviour<ResizeWindow>,
};
// clang-format on
