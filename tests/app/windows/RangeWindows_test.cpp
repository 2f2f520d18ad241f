#include <gtest/gtest.h>

#include "app/windows/RangeWindow.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace range_window;

// The two trackbars share one identifier, as do the two labels: each must
// still move its own value.
TEST(RangeWindows, EachTrackbarMovesItsOwnLabelAndExecuteUsesBoth) {
    struct Case {
        ParameterWindow kind;
        const char *rangeStart, *valueStart, *range, *value;
        bool (CImage::*op)(int32_t, double);
    } cases[] = {
        {ParameterWindow::Blur, "平均化範囲:1", "中心画素濃度:1.0", "平均化範囲:3",
         "中心画素濃度:-3.0", &CImage::Blur},
        {ParameterWindow::Unsharp, "範囲:1", "強度:0.0", "範囲:3", "強度:-3.0",
         &CImage::UnsharpMask},
    };
    for (const Case& c : cases) {
        WindowRun run(c.kind, MakeImage(30, 20, Pattern::HardEdges, 8));
        EXPECT_EQ(run.surface->Text(kRangeLabel), c.rangeStart);
        EXPECT_EQ(run.surface->Text(kValueLabel), c.valueStart);
        run.surface->MoveTrackbar(kRange, 3);
        EXPECT_EQ(run.surface->Text(kRangeLabel), c.range);
        EXPECT_EQ(run.surface->Text(kValueLabel), c.valueStart);
        run.surface->MoveTrackbar(kValue, 5); // (5 - 20) x 0.2
        EXPECT_EQ(run.surface->Text(kRangeLabel), c.range);
        EXPECT_EQ(run.surface->Text(kValueLabel), c.value);
        run.surface->PressExecute();
        EXPECT_TRUE(run.session->Result().executed);
        EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
        CImage expected = run.original;
        (expected.*c.op)(3, (5 - 20) * 0.2);
        EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "") << c.range;
    }
}
