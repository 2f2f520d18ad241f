#include <gtest/gtest.h>

#include "app/windows/CustomFilter.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace custom_filter_window;

namespace {

struct FilterRun : WindowRun {
    FilterRun() : WindowRun(ParameterWindow::CustomFilter, MakeImage(9, 7, Pattern::Random, 5)) {}
    FilterKernel Kernel() const { return session->Result().kernel; }
};

} // namespace

TEST(CustomFilterWindow, BoxesFillTheKernelAsThePictureIsLaidOut) {
    FilterRun run;
    EXPECT_EQ(run.surface->focus, kBox0);
    // Top row 1 2 3, middle 4 5 6, bottom 7 8 9.
    for (int box = 0; box < 9; ++box)
        run.surface->Type(kBox0 + box, std::to_string(box + 1));
    run.surface->Type(kAddend, "  -2.5e1x");
    run.surface->Type(kDivisor, "999.5");
    run.surface->PressExecute();
    EXPECT_TRUE(run.surface->closed);
    const double expected[9] = {7, 8, 9, 4, 5, 6, 1, 2, 3}; // entries 0-2 weigh the row below
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(run.Kernel().coefficients[i], expected[i]) << i;
    EXPECT_EQ(run.Kernel().addend, -25.0);
    EXPECT_EQ(run.Kernel().divisor, 999.5); // the document refuses it, not the window
    // The window never touches the image itself.
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}

TEST(CustomFilterWindow, ZeroDivisorCancelAndCloseBoxAllLeaveTheRefusedDivisor) {
    for (int way = 0; way < 4; ++way) {
        FilterRun run;
        run.surface->Type(kBox0 + 4, "1");
        // Only 63 characters are read: this divisor is 0.
        if (way == 0) run.surface->Type(kDivisor, std::string(63, '0') + "7");
        if (way == 0 || way == 1) run.surface->PressExecute(); // way 1: divisor left empty
        if (way == 2) run.surface->PressCancel();
        if (way == 3) run.surface->CloseBox();
        EXPECT_TRUE(run.surface->closed) << way;
        EXPECT_EQ(run.Kernel().divisor, 9999.0) << way;
    }
}
