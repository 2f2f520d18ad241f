#include <gtest/gtest.h>

#include <memory>

#include "app/Document.h"
#include "app/windows/RgbDef.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/AllocationFailure.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace rgbdef_window;

TEST(RgbDefWindow, TrackbarOnlyRelabelsAndExecuteEnlarges) {
    for (int position : {100, 175}) {
        WindowRun run(ParameterWindow::RGBDef, MakeImage(30, 20, Pattern::Random, 6));
        FakeSurface& s = *run.surface;
        EXPECT_EQ(s.Text(kLabel), "成分差:150%");
        s.MoveTrackbar(kTrackbar, position);
        EXPECT_EQ(s.Text(kLabel), "成分差:" + std::to_string(position) + "%");
        EXPECT_EQ(s.repaints, 0);
        EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
        s.PressExecute();
        CImage expected = run.original;
        EnlargeColorDifference(expected, (position - 100.0) / 100.0);
        EXPECT_TRUE(run.session->Result().executed);
        EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "") << position;
        EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
    }
}

TEST(RgbDefWindow, WithoutMemoryTheWindowEndsCancelledAndTheImageStays) {
    std::unique_ptr<WindowRun> run;
    CImage expected = MakeImage(30, 20, Pattern::Random, 6);
    EnlargeColorDifference(expected, 0.5);
    WalkAllocationFailures(
        [&] {
            run = std::make_unique<WindowRun>(ParameterWindow::RGBDef,
                                              MakeImage(30, 20, Pattern::Random, 6));
        },
        [&] {
            run->surface->PressExecute();
            return run->session->Result().executed;
        },
        [&](bool executed, int64_t n) {
            EXPECT_EQ(
                DescribeDifference(executed ? expected : run->original, run->document.Current()),
                "")
                << n;
        });
}
