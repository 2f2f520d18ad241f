#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/Resize.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace resize_window;

namespace {

struct ResizeRun : WindowRun {
    ResizeRun() : WindowRun(ParameterWindow::Resize, MakeImage(100, 75, Pattern::Random, 4)) {}
};

CImage Resampled(const CImage& image, int32_t w, int32_t h) {
    CImage copy = image;
    copy.Resample(w, h);
    return copy;
}

} // namespace

TEST(ResizeWindow, KeepsTheAspectOnlyForTheBoxThatHasTheFocus) {
    ResizeRun run;
    // Filling the boxes at creation drives nothing.
    EXPECT_EQ(run.surface->Text(kWidth), "100");
    EXPECT_EQ(run.surface->Text(kHeight), "75");
    EXPECT_EQ(run.surface->focus, kWidth);
    run.surface->Type(kWidth, "50");
    EXPECT_EQ(run.surface->Text(kHeight), "38"); // ceil(37.5)
    run.surface->focus = kHeight;
    run.surface->Type(kHeight, "7");
    EXPECT_EQ(run.surface->Text(kWidth), "10"); // ceil(9.33), and no echo back into the height
    EXPECT_EQ(run.surface->Text(kHeight), "7");
    run.surface->Type(kWidth, "64"); // typed without the focus
    EXPECT_EQ(run.surface->Text(kHeight), "7");
    run.surface->Click(kKeepAspect);
    run.surface->Type(kHeight, "30");
    EXPECT_EQ(run.surface->Text(kWidth), "64");
    // A typed width near the int limit saturates instead of overflowing.
    EXPECT_EQ(KeptAspect(1, 3, 2147483647), 2147483647);
    EXPECT_EQ(KeptAspect(1, 3, -2147483647 - 1), -2147483647 - 1);
}

TEST(ResizeWindow, RefusesSmallSizesAndNeverExecutesOnEscape) {
    ResizeRun run;
    for (const char* typed : {"0", "-5", ""}) {
        run.surface->Type(kHeight, typed);
        run.surface->PressExecute();
        EXPECT_TRUE(run.session->Open()) << typed;
    }
    EXPECT_EQ(run.surface->messages, std::vector<std::string>(3, kSizeRefused));
    run.surface->Type(kHeight, "20");
    run.surface->PressKey(DialogKey::Enter);
    EXPECT_TRUE(run.session->Open());
    run.surface->PressKey(DialogKey::Escape); // id 2 is execute here: still a cancel
    EXPECT_FALSE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}

TEST(ResizeWindow, ResamplesOrStretchesAndReportsWhatCannotBeMade) {
    ResizeRun run;
    run.document.Undo() = MakeImage(3, 3, Pattern::Random, 1); // an earlier state worth keeping
    const CImage earlier = run.document.Undo();
    run.surface->focus = -1;
    run.surface->Type(kWidth, "1000000"); // 8 TB
    run.surface->Type(kHeight, "1000000");
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Open());
    EXPECT_EQ(run.surface->messages.back(), kResizeFailed);
    EXPECT_EQ(DescribeDifference(earlier, run.document.Undo()), "");
    // The display cannot make the bitmap: reported, unticked, still open.
    run.surface->Type(kWidth, "40");
    run.surface->Type(kHeight, "30");
    run.surface->Click(kUseApi);
    run.surface->failStretch = true;
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Open());
    EXPECT_EQ(run.surface->messages.back(), kBitmapFailed);
    EXPECT_FALSE(run.surface->Checked(kUseApi));
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
    // The next execute resamples.
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(Resampled(run.original, 40, 30), run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}

TEST(ResizeWindow, StretchedResultHasTheSizeAndClearReservedBytes) {
    ResizeRun run;
    run.surface->Type(kWidth, "33");
    run.surface->Type(kHeight, "21");
    run.surface->Click(kUseApi);
    run.surface->PressExecute();
    ASSERT_TRUE(run.session->Result().executed);
    const CImage& result = run.document.Current();
    ASSERT_EQ(result.Width(), 33);
    ASSERT_EQ(result.Height(), 21);
    for (size_t i = 0; i < result.PixelCount(); ++i)
        ASSERT_EQ(result.Bits()[i] >> 24, 0u) << i;
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}
