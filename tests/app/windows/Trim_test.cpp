#include <gtest/gtest.h>

#include <array>

#include "app/Document.h"
#include "app/windows/Trim.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace trim_window;

namespace {

struct TrimRun : WindowRun {
    std::vector<TrimFrame> seenByView; // the frame as each main-window repaint saw it

    TrimRun(int32_t w, int32_t h, int zoomCommand = cmd::ViewActual)
        : WindowRun(ParameterWindow::Trim, MakeImage(w, h, Pattern::Random, 3), zoomCommand) {
        surface->onMainRepaint = [this] { seenByView.push_back(trim); };
    }
    void TypeRectangle(const char* x, const char* y, const char* w, const char* h) {
        surface->Type(kX, x);
        surface->Type(kY, y);
        surface->Type(kWidth, w);
        surface->Type(kHeight, h);
    }
};

void ExpectFrame(const TrimFrame& f, int left, int right, int bottom, int top) {
    EXPECT_EQ(f.left, left);
    EXPECT_EQ(f.right, right);
    EXPECT_EQ(f.bottom, bottom);
    EXPECT_EQ(f.top, top);
}

} // namespace

TEST(TrimWindow, FrameFollowsTheRectangleAndIsClippedToTheImage) {
    TrimFrame f;
    ASSERT_TRUE(TrimFrameFor(2, 3, 4, 5, 20, 10, 1.0, f));
    ExpectFrame(f, 2, 6, 6, 1); // rows counted from the top
    ASSERT_TRUE(TrimFrameFor(2, 3, 10000, 10000, 20, 10, 1.0, f));
    ExpectFrame(f, 2, 19, 6, 0);
    // Near the int limit nothing wraps round.
    ASSERT_TRUE(TrimFrameFor(5, 0, 2147483647, 2147483647, 20, 10, 1.0, f));
    ExpectFrame(f, 5, 19, 9, 0);
    ASSERT_TRUE(TrimFrameFor(3, 1, 2, 2, 20, 10, 0.5, f));
    ExpectFrame(f, 1, 2, 4, 3); // trunc(8 x 0.5), trunc(6 x 0.5)
    ASSERT_TRUE(TrimFrameFor(3, 1, 2, 2, 20, 10, 3.0, f));
    ExpectFrame(f, 9, 15, 24, 18);
    // The same refusals as the trim itself.
    for (auto [x, y, w, h] : {std::array{19, 0, 1, 1},
                              {0, 9, 1, 1},
                              {-1, 0, 1, 1},
                              {0, -1, 1, 1},
                              {0, 0, 0, 1},
                              {0, 0, 1, 0}})
        EXPECT_FALSE(TrimFrameFor(x, y, w, h, 20, 10, 1.0, f)) << x << y << w << h;
}

TEST(TrimWindow, TypingShowsTheFrameThroughOneConvertingRepaint) {
    TrimRun run(40, 30, cmd::ViewDouble);
    EXPECT_EQ(run.surface->focus, kX);
    EXPECT_EQ(run.trim.left, -1);
    run.TypeRectangle("4", "5", "10", "");
    // Until the height is typed the rectangle is refused and no frame is shown.
    ASSERT_EQ(run.seenByView.size(), 4u);
    for (const TrimFrame& f : run.seenByView)
        EXPECT_EQ(f.left, -1);
    run.surface->Type(kHeight, "8");
    ASSERT_EQ(run.seenByView.size(), 5u);
    EXPECT_TRUE(run.seenByView.back().convertPending);
    ExpectFrame(run.seenByView.back(), 8, 28, 48, 32);
    EXPECT_FALSE(run.trim.convertPending); // cleared after the repaint
    run.surface->Type(kX, "39");           // the last column cannot be a corner
    EXPECT_EQ(run.trim.left, -1);
    EXPECT_FALSE(run.seenByView.back().convertPending);
}

TEST(TrimWindow, ExecuteTrimsAfterTheUndoCopyAndHidesTheFrame) {
    TrimRun run(40, 30);
    run.TypeRectangle("2", "3", "10000", "10000");
    EXPECT_GE(run.trim.left, 0);
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(run.trim.left, -1);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
    CImage expected = run.original;
    expected.Trim(2, 3, 10000, 10000);
    EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "");
}

TEST(TrimWindow, RefusedRectangleStillCountsAsExecuted) {
    TrimRun run(10, 10);
    run.TypeRectangle("9", "0", "1", "1");
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}

TEST(TrimWindow, CancelOrCloseHidesTheFrameAndTheWindowRefocusesTheFirstBox) {
    TrimRun run(40, 30);
    run.TypeRectangle("1", "1", "5", "5");
    run.surface->focus = kHeight;
    run.session->Focus();
    EXPECT_EQ(run.surface->focus, kX);
    run.surface->CloseBox();
    EXPECT_FALSE(run.session->Result().executed);
    EXPECT_EQ(run.trim.left, -1);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}
