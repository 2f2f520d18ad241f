#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/RGB.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace rgb_window;

// The window previews on its button only and hands the typed coefficients
// back row by row; the image is the document's to change.
TEST(RgbWindow, PreviewsOnItsButtonAndReturnsTheBoxesRowByRow) {
    WindowRun run(ParameterWindow::RGB, MakeImage(30, 20, Pattern::Random, 3));
    FakeSurface& s = *run.surface;
    EXPECT_EQ(s.focus, Box(0));
    const char* typed[12] = {"0", "1", "0", "0", "  0", "0", "1/2", "0", "1.5e1", "abc", "0", "-7"};
    for (int i = 0; i < 12; ++i)
        s.Type(Box(i), typed[i]);
    EXPECT_EQ(DescribeDifference(run.original, *run.session->Preview()), "");
    s.PressPreview();
    const double m[12] = {0, 1, 0, 0, 0, 0, 1, 0, 15, 0, 0, -7};
    CImage converted = run.original;
    ConvertRgb(converted, m);
    EXPECT_EQ(DescribeDifference(converted, *run.session->Preview()), "");

    s.PressExecute();
    const RgbConversion r = run.session->Result().conversion;
    EXPECT_EQ(r.result, 1);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(r.m[i], m[i]) << i;
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}

TEST(RgbWindow, CancelAndCloseBoxReturnStatusTwo) {
    for (bool closeBox : {false, true}) {
        WindowRun run(ParameterWindow::RGB, MakeImage(8, 8, Pattern::Random, 4));
        run.surface->Type(Box(0), "1");
        closeBox ? run.surface->CloseBox() : run.surface->PressCancel();
        EXPECT_EQ(run.session->Result().conversion.result, 2);
        EXPECT_FALSE(run.session->Result().executed);
    }
}
