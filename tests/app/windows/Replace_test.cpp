#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/Replace.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace replace_window;

TEST(ReplaceWindow, ChecksTheOldColourFirstAndPreviewsAtFullSize) {
    CImage image = MakeImage(300, 150, Pattern::FewColours, 4);
    const uint32_t found = image.GetPixel(10, 10) & 0xFFFFFF;
    const int r = int(found >> 16), g = int((found >> 8) & 255), b = int(found & 255);
    WindowRun run(ParameterWindow::Replace, image);
    FakeSurface& s = *run.surface;
    s.PressPreview(); // all six empty: only the colour to replace is named
    s.Type(kOldR, std::to_string(r));
    s.Type(kOldG, std::to_string(g));
    s.Type(kOldB, std::to_string(b));
    s.Type(kNewR, "1");
    s.Type(kNewG, "2");
    s.Type(kNewB, "256");
    s.PressExecute();
    EXPECT_EQ(s.messages, (std::vector<std::string>{"元の色の設定に誤りがあります",
                                                     "置換色の設定に誤りがあります"}));
    EXPECT_TRUE(run.session->Open());
    EXPECT_NE(DescribeDifference(run.original, run.document.Undo()), ""); // no undo copy
    // Each preview starts again from the image: a second replacement does
    // not see the first one.
    s.Type(kNewB, "3");
    s.PressPreview();
    s.Type(kOldR, "1");
    s.Type(kOldG, "2");
    s.Type(kOldB, "3");
    s.Type(kNewR, "9");
    s.PressPreview();
    CImage expected = image;
    ReplaceColor(expected, 1, 2, 3, 9, 2, 3);
    EXPECT_EQ(DescribeDifference(expected, *run.session->Preview()), "");
    ASSERT_FALSE(s.drawn.empty());
    const FakeSurface::Drawn d = s.drawn.back();
    EXPECT_EQ((std::vector{d.x, d.y, d.w, d.h, d.imageWidth}),
              (std::vector{212, 4, 128, 64, 300}));
    s.Type(kOldR, std::to_string(r));
    s.Type(kOldG, std::to_string(g));
    s.Type(kOldB, std::to_string(b));
    s.PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    expected = image;
    ReplaceColor(expected, r, g, b, 9, 2, 3);
    EXPECT_NE(DescribeDifference(image, expected), "");
    EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(image, run.document.Undo()), "");
    EXPECT_EQ(s.messages.size(), 2u);
}
