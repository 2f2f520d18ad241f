#include <gtest/gtest.h>

#include "app/windows/ThresholdWindow.h"
#include "ops/filters/FilterOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace threshold_window;

TEST(ThresholdWindows, UpDownStartsTheBoxAndHandTypedThresholdsAboveItsRangeCount) {
    for (auto [kind, start] : {std::pair{ParameterWindow::Outline, "64"},
                               std::pair{ParameterWindow::Antialias, "128"}}) {
        WindowRun run(kind, MakeImage(20, 10, Pattern::HardEdges, 4));
        EXPECT_EQ(run.surface->Text(kThreshold), start);
        run.surface->Type(kThreshold, "300");
        run.surface->PressExecute();
        EXPECT_TRUE(run.session->Result().executed);
        EXPECT_TRUE(run.surface->messages.empty());
        CImage expected = run.original;
        if (kind == ParameterWindow::Outline)
            AddOutline(expected, 300, 0);
        else
            Antialias(expected, 300);
        EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "") << start;
        EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
    }
}

TEST(ThresholdWindows, RefusedThresholdIsReportedAndEndsCancelled) {
    for (const char* typed : {"0", "-5", "abc", ""}) {
        WindowRun run(ParameterWindow::Outline, MakeImage(20, 10, Pattern::HardEdges, 4));
        run.document.Undo() = MakeImage(3, 3, Pattern::Flat, 1);
        const CImage undo = run.document.Undo();
        run.surface->Type(kThreshold, typed);
        run.surface->PressExecute();
        EXPECT_TRUE(run.surface->closed) << typed;
        EXPECT_FALSE(run.session->Result().executed);
        EXPECT_EQ(run.surface->messages, std::vector<std::string>{"境界値が無効です。"});
        EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
        EXPECT_EQ(DescribeDifference(undo, run.document.Undo()), "") << typed;
    }
}
