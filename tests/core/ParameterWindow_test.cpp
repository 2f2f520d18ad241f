#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/Document.h"
#include "core/ParameterWindow.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakeSurface.h"
#include "tests/support/TestImages.h"

namespace {

struct Fixture {
    FakeHost host;
    CImageDocument document{host};
    TrimFrame trim;
};

} // namespace

TEST(ParameterWindow, PreviewKeepsTheLongerSideWithin128) {
    struct Case {
        int32_t w, h, pw, ph;
    } cases[] = {{1000, 500, 128, 64}, {500, 1000, 64, 128}, {100, 60, 100, 60},
                 {300, 300, 128, 128}, {129, 1, 128, 0},     {1, 1, 1, 1},
                 {0, 0, 0, 0},         {128, 128, 128, 128}, {385, 200, 128, 66}};
    for (const Case& c : cases) {
        int32_t pw = -1, ph = -1;
        PreviewSize(c.w, c.h, pw, ph);
        EXPECT_EQ(pw, c.pw) << c.w << "x" << c.h;
        EXPECT_EQ(ph, c.ph) << c.w << "x" << c.h;
    }
}

TEST(ParameterWindow, FramesAreListedInRegistrationOrderWithDistinctClasses) {
    auto frames = AllWindowFrames();
    ASSERT_EQ(frames.size(), size_t(kParameterWindowCount));
    std::set<std::string> classes;
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(int(frames[i].kind), int(i));
        EXPECT_NE(frames[i].execute.id, frames[i].cancel.id) << frames[i].className;
        classes.insert(frames[i].className);
    }
    EXPECT_EQ(classes.size(), frames.size());
    EXPECT_STREQ(FrameOf(ParameterWindow::Gamma).className, "CGammaDialog");
    EXPECT_STREQ(FrameOf(ParameterWindow::CustomFilter).execute.caption, "実行(&G)");
}

TEST(ParameterWindow, CancelAndCloseBoxBothEndCancelled) {
    for (bool closeBox : {false, true}) {
        Fixture f;
        ParameterWindowSession session(ParameterWindow::Gamma, f.document, f.trim);
        FakeSurface surface(session);
        EXPECT_TRUE(session.Open());
        if (closeBox)
            surface.CloseBox();
        else
            surface.PressCancel();
        EXPECT_TRUE(surface.closed);
        EXPECT_FALSE(session.Open());
        EXPECT_FALSE(session.Result().executed);
        // Nothing reaches a window that has ended.
        surface.MoveTrackbar(11, 100);
        EXPECT_EQ(surface.repaints, 0);
    }
}

TEST(ParameterWindow, PreviewIsReducedCopyDrawnAtTheCorner) {
    Fixture f;
    f.document.Current() = MakeImage(300, 150, Pattern::Random, 7);
    ParameterWindowSession session(ParameterWindow::Gamma, f.document, f.trim);
    FakeSurface surface(session);
    ASSERT_NE(session.Preview(), nullptr);
    CImage expected = f.document.Current();
    expected.Resample(128, 64);
    EXPECT_EQ(DescribeDifference(expected, *session.Preview()), "");
    surface.PaintNow();
    ASSERT_EQ(surface.drawn.size(), 1u);
    EXPECT_EQ(surface.drawn[0].x, 176);
    EXPECT_EQ(surface.drawn[0].y, 8);
    EXPECT_EQ(surface.drawn[0].imageWidth, 128);
    EXPECT_EQ(surface.drawn[0].imageHeight, 64);
    surface.CloseBox();
    EXPECT_EQ(session.Preview(), nullptr); // released with the window
}

TEST(ParameterWindow, WindowsNotYetBuiltEndCancelledAtOnce) {
    Fixture f;
    ParameterWindowSession session(ParameterWindow::Resize, f.document, f.trim);
    if (session.Available()) GTEST_SKIP() << "the resize window exists now";
    FakeSurface surface(session);
    surface.PressExecute();
    session.Destroy();
    EXPECT_FALSE(session.Open());
    EXPECT_FALSE(session.Result().executed);
}
