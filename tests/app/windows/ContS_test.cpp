#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/ContS.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace conts_window;

TEST(ContSWindow, TrackbarRelabelsAndPreviewsFromTheBaseThenExecuteApplies) {
    WindowRun run(ParameterWindow::ContS, MakeImage(150, 20, Pattern::Random, 5));
    FakeSurface& s = *run.surface;
    EXPECT_EQ(s.Text(kLabel), "彩度増減:0");
    for (int position : {64, 0, 40}) {
        s.MoveTrackbar(kTrackbar, position);
        CImage expected = run.original;
        expected.Resample(128, 17);
        AdjustSaturation(expected, position - 32);
        EXPECT_EQ(DescribeDifference(expected, *run.session->Preview()), "") << position;
    }
    EXPECT_EQ(s.Text(kLabel), "彩度増減:8");
    s.PressExecute();
    CImage expected = run.original;
    AdjustSaturation(expected, 8);
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
    EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "");
}
