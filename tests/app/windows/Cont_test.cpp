#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/Cont.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace cont_window;

namespace {

struct ContRun : WindowRun {
    explicit ContRun(const CImage& image) : WindowRun(ParameterWindow::Cont, image) {}
    void TypeRanges(const char* inLow, const char* inHigh, const char* outLow,
                    const char* outHigh) {
        surface->Type(kInLow, inLow);
        surface->Type(kInHigh, inHigh);
        surface->Type(kOutLow, outLow);
        surface->Type(kOutHigh, outHigh);
    }
};

CImage Mapped(const CImage& image, int a, int b, int c, int d) {
    CImage copy = image;
    MapLuminanceRange(&copy, a, b, c, d);
    return copy;
}

// The height of the bar of luminance i in the graph (0 when none is drawn).
int BarHeight(const MonoGraph& g, int i) {
    for (const GraphLine& l : g.lines)
        if (l.x0 == 9 + i && l.x1 == 9 + i && l.y0 == 220) return l.y0 - l.y1;
    return 0;
}

} // namespace

TEST(ContWindow, HistogramFindsRangeAndTheLowestMostFrequentLuminance) {
    CImage image = Filled(4, 2, 0x808080); // luminance 127
    image.SetPixel(0, 0, 0x000000);
    image.SetPixel(1, 0, 0x000000);
    image.SetPixel(2, 0, 0xFFFFFF);
    image.SetPixel(3, 0, 0xFFFFFF);
    image.SetPixel(3, 1, 0x0A0A0A); // 10 x 0.587 + 10 x 0.299 + 10 x 0.114 = 9.99...
    LuminanceHistogram h = MeasureLuminance(image);
    EXPECT_EQ(h.minimum, 0);
    EXPECT_EQ(h.maximum, 255);
    EXPECT_EQ(h.count[127], 3u);
    EXPECT_EQ(h.count[9] + h.count[10], 1u);
    EXPECT_EQ(h.mode, 127); // 0 and 255 have two each, 127 three
    EXPECT_EQ(h.peak, 3u);
    image.SetPixel(3, 1, 0xFFFFFF); // now 127 and 255 tie at three: the lower wins
    h = MeasureLuminance(image);
    EXPECT_EQ(h.mode, 127);

    CImage empty;
    empty.Create(0, 0);
    h = MeasureLuminance(empty);
    EXPECT_EQ(h.minimum, 255);
    EXPECT_EQ(h.maximum, 0);
    EXPECT_EQ(h.peak, 0u);
}

TEST(ContWindow, UniformImageOpensWithEqualBoundsAndAFullHeightBar) {
    ContRun run(Filled(30, 20, 0x808080));
    EXPECT_EQ(run.surface->Text(kInLow), "127");
    EXPECT_EQ(run.surface->Text(kInHigh), "127");
    EXPECT_EQ(run.surface->Text(kOutLow), "");
    EXPECT_EQ(run.surface->Text(kOutHigh), "");
    const MonoGraph& g = run.surface->graph;
    EXPECT_EQ(g.width, 272);
    EXPECT_EQ(g.height, 222);
    EXPECT_EQ(g.caption, "明度最大-127:600ピクセル");
    EXPECT_EQ(BarHeight(g, 127), 200);
    EXPECT_EQ(BarHeight(g, 126), 0);
    run.surface->PaintNow();
    ASSERT_EQ(run.surface->graphsDrawnAt.size(), 1u);
    EXPECT_EQ(run.surface->graphsDrawnAt[0], std::make_pair(4, 4));
}

TEST(ContWindow, BarsScaleToThePeakWithoutOverflow) {
    LuminanceHistogram h;
    h.count[0] = 3000000000ull; // more than 32 bits hold once multiplied by 200
    h.count[1] = 1500000000ull;
    h.count[2] = 1;
    h.peak = 3000000000ull;
    MonoGraph g = HistogramGraph(h);
    EXPECT_EQ(BarHeight(g, 0), 200);
    EXPECT_EQ(BarHeight(g, 1), 100);
    EXPECT_EQ(BarHeight(g, 2), 0);

    ContRun empty([] {
        CImage none;
        none.Create(0, 0);
        return none;
    }());
    EXPECT_EQ(empty.surface->graph.lines.size(), 4u); // the frame only
}

TEST(ContWindow, PreviewAndExecuteNeedBothRangesInOrder) {
    CImage image = MakeImage(60, 40, Pattern::Random, 5);
    {
        ContRun run(image);
        run.surface->PressPreview(); // output boxes still empty
        EXPECT_EQ(run.surface->repaints, 0);
        EXPECT_EQ(DescribeDifference(image, *run.session->Preview()), "");
        run.surface->PressExecute();
        EXPECT_TRUE(run.surface->closed);
        EXPECT_FALSE(run.session->Result().executed);
        EXPECT_EQ(DescribeDifference(image, run.document.Current()), "");
    }
    {
        ContRun run(image);
        run.TypeRanges("100", "150", "200", "200"); // equal output bounds are refused
        run.surface->PressPreview();
        EXPECT_EQ(run.surface->repaints, 0);
        run.TypeRanges("100", "150", "0", "200");
        run.surface->PressPreview();
        EXPECT_EQ(run.surface->repaints, 1);
        EXPECT_EQ(DescribeDifference(Mapped(image, 100, 150, 0, 200), *run.session->Preview()), "");
        run.TypeRanges(" -5x", "300", "+10", "2000000000000"); // runtime number reading
        run.surface->PressExecute();
        EXPECT_TRUE(run.session->Result().executed);
        EXPECT_EQ(DescribeDifference(image, run.document.Undo()), "");
        EXPECT_EQ(
            DescribeDifference(Mapped(image, -5, 300, 10, 2147483647), run.document.Current()), "");
    }
}

TEST(ContWindow, MouseOverTheGraphReadsOutOneBar) {
    ContRun run(Filled(5, 4, 0x808080));
    EXPECT_EQ(run.surface->Text(kReadout), "明度:");
    run.surface->MoveMouse(13 + 127, 24);
    EXPECT_EQ(run.surface->Text(kReadout), "明度:127-20ピクセル");
    run.surface->MoveMouse(13 + 255, 224);
    EXPECT_EQ(run.surface->Text(kReadout), "明度:255-0ピクセル");
    // Outside the graph the text stays.
    for (auto [x, y] : {std::pair{12, 100}, {269, 100}, {100, 23}, {100, 225}}) {
        run.surface->MoveMouse(x, y);
        EXPECT_EQ(run.surface->Text(kReadout), "明度:255-0ピクセル") << x << "," << y;
    }
}
