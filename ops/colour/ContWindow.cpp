// The brightness-contrast window: the luminance histogram of the image, two
// typed ranges and a preview of the mapping from one onto the other.
#include "ops/colour/ContWindow.h"

#include <cstdio>

#include "core/Document.h"
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

constexpr ControlDef kControls[] = {
    {ControlKind::Label, kInHeading, "元画像明度範囲", 280, 8, 160, 30},
    {ControlKind::Edit, kInLow, "", 280, 32, 48, 22},
    {ControlKind::CentredLabel, kInTilde, "～", 328, 42, 22, 20},
    {ControlKind::Edit, kInHigh, "", 348, 32, 48, 22},
    {ControlKind::Label, kOutHeading, "変換画像明度範囲", 280, 80, 160, 22},
    {ControlKind::Edit, kOutLow, "", 280, 104, 48, 22},
    {ControlKind::CentredLabel, kOutTilde, "～", 328, 104, 22, 20},
    {ControlKind::Edit, kOutHigh, "", 348, 104, 48, 22},
    {ControlKind::Label, kReadout, "明度:", 8, 232, 256, 20},
};

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

extern const WindowDefinition kContWindow = {ParameterWindow::Cont, kControls, -1,
                                             MakeBehaviour<ContWindow>};
