// The brightness-contrast window: the luminance histogram of the image, two
// typed ranges and a preview of the mapping from one onto the other.
#include "app/windows/Cont.h"

#include <cstdio>

#include "app/Document.h"
#include "app/windows/Windows.h"
#include "ops/colour/ColourOps.h"

using namespace cont_window;

LuminanceHistogram MeasureLuminance(const CImage& image) {
    LuminanceHistogram h;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            ++h.count[image.GetLuminance(x, y)];
    bool seen = false;
    for (int32_t i = 0; i < 256; ++i) {
        if (h.count[i] == 0) continue;
        if (!seen) h.minimum = i;
        seen = true;
        h.maximum = i;
        if (h.count[i] > h.peak) {
            h.peak = h.count[i];
            h.mode = i;
        }
    }
    return h;
}

MonoGraph HistogramGraph(const LuminanceHistogram& histogram) {
    MonoGraph g;
    g.width = 272;
    g.height = 222;
    g.lines = {{8, 20, 264, 20}, {264, 20, 264, 220}, {264, 220, 8, 220}, {8, 220, 8, 20}};
    char caption[96];
    std::snprintf(caption, sizeof caption, "明度最大-%d:%lluピクセル", histogram.mode,
                  static_cast<unsigned long long>(histogram.peak));
    g.caption = caption;
    g.captionRight = 256;
    g.captionBottom = 20;
    // An image without pixels has no peak: every bar stays empty.
    if (histogram.peak == 0) return g;
    for (int i = 0; i < 256; ++i) {
        int h = int(histogram.count[i] * 200 / histogram.peak);
        g.lines.push_back({9 + i, 220, 9 + i, 220 - h});
    }
    return g;
}

namespace {

// clang-format off
constexpr ControlDef kControls[] = {
    {.kind = ControlKind::Label, .id = 20, .text = "元画像明度範囲",
     .x = 280, .y = 8, .width = 160, .height = 30},
    {.kind = ControlKind::Edit, .id = 10, .x = 280, .y = 32, .width = 48, .height = 22},
    {.kind = ControlKind::CentredLabel, .id = 21, .text = "～",
     .x = 328, .y = 42, .width = 22, .height = 20},
    {.kind = ControlKind::Edit, .id = 11, .x = 348, .y = 32, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 22, .text = "変換画像明度範囲",
     .x = 280, .y = 80, .width = 160, .height = 22},
    {.kind = ControlKind::Edit, .id = 12, .x = 280, .y = 104, .width = 48, .height = 22},
    {.kind = ControlKind::CentredLabel, .id = 23, .text = "～",
     .x = 328, .y = 104, .width = 22, .height = 20},
    {.kind = ControlKind::Edit, .id = 13, .x = 348, .y = 104, .width = 48, .height = 22},
    {.kind = ControlKind::Label, .id = 24, .text = "明度:",
     .x = 8, .y = 232, .width = 256, .height = 20},
};
// clang-format on

struct Ranges {
    int32_t inLow, inHigh, outLow, outHigh;
    bool Usable() const { return inLow < inHigh && outLow < outHigh; }
};

class ContWindow : public WindowBehaviour {
    LuminanceHistogram histogram_;

    static Ranges Read(ParameterWindowSession& s) {
        return {s.ReadLong(kInLow), s.ReadLong(kInHigh), s.ReadLong(kOutLow), s.ReadLong(kOutHigh)};
    }
    static void Apply(CImage& image, const Ranges& r) {
        MapLuminanceRange(&image, r.inLow, r.inHigh, r.outLow, r.outHigh);
    }

    void OnCreate(ParameterWindowSession& s) override {
        histogram_ = MeasureLuminance(s.Document().Current());
        s.Surface().SetText(kInLow, std::to_string(histogram_.minimum));
        s.Surface().SetText(kInHigh, std::to_string(histogram_.maximum));
        s.Surface().SetGraph(HistogramGraph(histogram_));
    }

    void OnPreview(ParameterWindowSession& s) override {
        Ranges r = Read(s);
        if (!r.Usable()) return;
        if (CImage* preview = s.ResetPreview()) Apply(*preview, r);
        s.Surface().Repaint();
    }

    void OnExecute(ParameterWindowSession& s) override {
        Ranges r = Read(s);
        if (!r.Usable()) return s.Finish(false);
        if (!s.Document().TakeUndoCopy()) return s.Finish(false);
        Apply(s.Document().Current(), r);
        s.Finish(true);
    }

    void OnMouseMove(ParameterWindowSession& s, int x, int y) override {
        int i = x - 13, j = y - 24;
        if (i < 0 || i > 255 || j < 0 || j > 200) return;
        char text[64];
        std::snprintf(text, sizeof text, "明度:%d-%lluピクセル", i,
                      static_cast<unsigned long long>(histogram_.count[i]));
        s.Surface().SetText(kReadout, text);
    }

    void OnPaint(ParameterWindowSession& s) override { s.Surface().DrawGraph(kGraphX, kGraphY); }
};

} // namespace

// clang-format off
const WindowDefinition kContWindow = {
    .frame = {.title = "明度コントラスト調整", .width = 600, .height = 320,
              .navigation = true, .buttonTabStops = true,
              .execute = ExecuteButton(5, 388, 168), .cancel = CancelButton(6, 488, 168),
              .preview = PreviewButton(4, 280, 168, 96),
              .previewKind = PreviewKind::Panel, .previewX = 440, .previewY = 8},
    .controls = kControls,
    .make = MakeBehaviour<ContWindow>,
};
// clang-format on
