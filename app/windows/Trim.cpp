// The trimming window: four typed numbers, a frame over the image view that
// follows them, and the trim itself.
#include "app/windows/Trim.h"

#include "app/Document.h"
#include "app/windows/Windows.h"

using namespace trim_window;

bool TrimFrameFor(int32_t x, int32_t y, int32_t width, int32_t height, int32_t imageWidth,
                  int32_t imageHeight, double scale, TrimFrame& frame) {
    if (x < 0 || x >= imageWidth - 1 || y < 0 || y >= imageHeight - 1 || width <= 0 || height <= 0)
        return false;
    // In 64 bits: a typed width or height near the int limit must not wrap.
    int64_t right = int64_t(x) + width;
    if (right >= imageWidth) right = imageWidth - 1;
    int64_t top = int64_t(imageHeight) - height - y - 1;
    if (top >= imageHeight) top = imageHeight - 1;
    if (top < 0) top = 0;
    frame.left = int32_t(x * scale);
    frame.right = int32_t(double(right) * scale);
    frame.bottom = int32_t(double(imageHeight - y - 1) * scale);
    frame.top = int32_t(double(top) * scale);
    return true;
}

namespace {

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 6, .text = "左下端座標",
     .x = 8, .y = 10, .width = 160, .height = 20},
    {.kind = ControlKind::Edit, .id = 0, .x = 8, .y = 32, .width = 48, .height = 22},
    {.kind = ControlKind::Edit, .id = 1, .x = 64, .y = 32, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 7, .text = "大きさ",
     .x = 8, .y = 60, .width = 160, .height = 20},
    {.kind = ControlKind::Edit, .id = 2, .x = 8, .y = 88, .width = 48, .height = 22},
    {.kind = ControlKind::Edit, .id = 3, .x = 64, .y = 88, .width = 48, .height = 22},
};
// clang-format on

constexpr size_t kDigits = 63;

struct Rectangle {
    int32_t x, y, width, height;
};

class TrimWindow : public WindowBehaviour {
    static Rectangle Read(ParameterWindowSession& s) {
        return {s.ReadLong(kX, kDigits), s.ReadLong(kY, kDigits), s.ReadLong(kWidth, kDigits),
                s.ReadLong(kHeight, kDigits)};
    }

    void OnEditChange(ParameterWindowSession& s, int) override {
        Rectangle r = Read(s);
        CImageDocument& document = s.Document();
        const CImage& image = document.Current();
        TrimFrame& frame = s.Trim();
        if (!TrimFrameFor(r.x, r.y, r.width, r.height, image.Width(), image.Height(),
                          document.ViewScale(), frame)) {
            frame.left = -1;
            s.Surface().RepaintMainWindow();
            return;
        }
        // The view subtracts its scroll offsets once, during this repaint.
        frame.convertPending = true;
        s.Surface().RepaintMainWindow();
        frame.convertPending = false;
    }

    void OnExecute(ParameterWindowSession& s) override {
        Rectangle r = Read(s);
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        s.Document().Current().Trim(r.x, r.y, r.width, r.height);
        s.Finish(true);
    }

    void OnDestroy(ParameterWindowSession& s) override { s.Trim().left = -1; }
};

} // namespace

// clang-format off
const WindowDefinition kTrimWindow = {
    .frame = {.title = "トリミング", .width = 200, .height = 192, .navigation = true,
              .execute = ExecuteButton(4, 8, 120), .cancel = CancelButton(5, 100, 120),
              .focus = kX},
    .controls = kControls,
    .make = MakeBehaviour<TrimWindow>,
};
// clang-format on
