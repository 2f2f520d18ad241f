#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/Conv.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace conv_window;

namespace {

CImage Adjusted(const CImage& image, ColourModel model, int a, int b, int c) {
    CImage copy = image;
    ApplyComponentOffsets(copy, model, a, b, c);
    return copy;
}

std::string Labels(const FakeSurface& s) {
    return s.Text(kLabel1) + " " + s.Text(kLabel2) + " " + s.Text(kLabel3);
}

} // namespace

// The combo box only renames the labels; the preview keeps the model it was
// computed in until a trackbar moves.
TEST(ConvWindow, ComboRelabelsAndTheNextTrackbarMoveRecomputesInTheNewModel) {
    WindowRun run(ParameterWindow::Conv, MakeImage(40, 30, Pattern::Random, 7));
    FakeSurface& s = *run.surface;
    EXPECT_EQ(Labels(s), "R:0 G:0 B:0");
    s.MoveTrackbar(kTrackbar1, 74);
    s.MoveTrackbar(kTrackbar2, 59);
    const CImage inRgb = Adjusted(run.original, ColourModel::Rgb, 10, -5, 0);
    EXPECT_EQ(DescribeDifference(inRgb, *run.session->Preview()), "");
    const int repaints = s.repaints;

    s.Select(kModel, 1);
    EXPECT_EQ(Labels(s), "Y:10 Cr:-5 Cb:0");
    EXPECT_EQ(DescribeDifference(inRgb, *run.session->Preview()), "");
    EXPECT_EQ(s.repaints, repaints);
    s.Select(kModel, 0);
    EXPECT_EQ(Labels(s), "R:10 G:-5 B:0");

    s.Type(kModel, "RGB"); // typed text is no selection: YCrCb
    EXPECT_EQ(Labels(s), "Y:10 Cr:-5 Cb:0");
    EXPECT_EQ(DescribeDifference(inRgb, *run.session->Preview()), "");
    s.MoveTrackbar(kTrackbar3, 66);
    EXPECT_EQ(DescribeDifference(Adjusted(run.original, ColourModel::YCrCb, 10, -5, 2),
                                 *run.session->Preview()),
              "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}

// Even with all offsets 0 the YCrCb model rebuilds every pixel.
TEST(ConvWindow, ExecuteInYCrCbWithZeroOffsetsRebuildsThePixels) {
    CImage red;
    ASSERT_TRUE(red.Create(3, 2));
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            red.SetR(x, y, 255);
    WindowRun run(ParameterWindow::Conv, red);
    run.surface->Select(kModel, 1);
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(red, run.document.Undo()), "");
    EXPECT_EQ(run.document.Current().GetR(1, 1), 254);
    EXPECT_EQ(run.document.Current().GetG(1, 1), 0);
}
