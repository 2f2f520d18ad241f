#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/Post.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace post_window;

namespace {

CImage Posterized(const CImage& image, int r, int g, int b) {
    CImage copy = image;
    Posterize(copy, r, g, b);
    return copy;
}

} // namespace

// The image is smaller than the preview, so the preview base is the image.
TEST(PostWindow, EveryChangeOfABoxRecomputesThePreviewFromTheBase) {
    WindowRun run(ParameterWindow::Post, MakeImage(40, 30, Pattern::Random, 7));
    FakeSurface& s = *run.surface;
    EXPECT_EQ(s.Text(kR) + s.Text(kG) + s.Text(kB), "444");
    EXPECT_EQ(DescribeDifference(Posterized(run.original, 4, 4, 4), *run.session->Preview()), "");
    s.Spin(kGSpin, 1);
    s.Type(kB, "2");
    EXPECT_EQ(s.Text(kG), "5");
    EXPECT_EQ(DescribeDifference(Posterized(run.original, 4, 5, 2), *run.session->Preview()), "");
    // Out of range: the preview shows the image unreduced, without a message.
    const int repaints = s.repaints;
    s.Type(kR, "300");
    EXPECT_EQ(s.repaints, repaints + 1);
    EXPECT_EQ(DescribeDifference(run.original, *run.session->Preview()), "");
    // Execute still counts, with the undo copy taken and the image as it was.
    s.PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_TRUE(s.messages.empty());
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}

TEST(PostWindow, ExecuteReducesTheWholeImageWithTheTypedCounts) {
    WindowRun run(ParameterWindow::Post, MakeImage(150, 20, Pattern::Random, 8));
    run.surface->Type(kR, " 2x");
    run.surface->Type(kG, "256");
    run.surface->PressExecute();
    EXPECT_EQ(DescribeDifference(Posterized(run.original, 2, 256, 4), run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}
