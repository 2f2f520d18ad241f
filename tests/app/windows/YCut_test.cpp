#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/YCut.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace ycut_window;

namespace {

CImage Cut(const CImage& image, int mode, int threshold, int r, int g, int b) {
    CImage copy = image;
    ToneCut(copy, mode, threshold, r, g, b);
    return copy;
}

} // namespace

TEST(YCutWindow, PreviewOnlyOnThePressAndWrongColoursKeepTheWindowOpen) {
    WindowRun run(ParameterWindow::YCut, MakeImage(40, 30, Pattern::Random, 5));
    FakeSurface& s = *run.surface;
    EXPECT_EQ(s.Text(kThreshold), "128");
    EXPECT_EQ(s.Text(kMode), "以下");
    const int repaints = s.repaints;
    s.Spin(kThresholdSpin, 2);
    s.Type(kR, "256");
    EXPECT_EQ(s.repaints, repaints); // no preview until the press
    s.PressPreview();
    s.Type(kR, "-1");
    s.PressExecute();
    EXPECT_EQ(s.messages, std::vector<std::string>(2, "置換色の設定に誤りがあります"));
    EXPECT_TRUE(run.session->Open());
    EXPECT_NE(DescribeDifference(run.original, run.document.Undo()), ""); // no undo copy
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
    // Empty colour boxes paint black; a typed mode has no selection: at or above.
    s.Type(kR, "");
    s.Select(kMode, 1);
    s.PressPreview();
    EXPECT_EQ(DescribeDifference(Cut(run.original, 2, 130, 0, 0, 0), *run.session->Preview()), "");
    s.Type(kMode, "以下");
    s.Type(kThreshold, "-1x");
    s.Type(kG, "200");
    s.PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(Cut(run.original, 2, -1, 0, 200, 0), run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}
