#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/Gamma.h"
#include "ops/colour/ColourOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace gamma_window;

namespace {

struct GammaRun : WindowRun {
    explicit GammaRun(int32_t w = 40, int32_t h = 30)
        : WindowRun(ParameterWindow::Gamma, MakeImage(w, h, Pattern::Random, 99)) {}
};

CImage Corrected(const CImage& image, double gamma) {
    CImage copy = image;
    CorrectGamma(copy, gamma);
    return copy;
}

} // namespace

TEST(GammaWindow, OpensAtGammaOneWithTheTrackbarCentred) {
    GammaRun run;
    EXPECT_EQ(run.surface->Text(kLabel), "ガンマ補正:1.0");
    EXPECT_EQ(run.surface->Position(kTrackbar), 50);
    EXPECT_EQ(DescribeDifference(run.original, *run.session->Preview()), "");
}

TEST(GammaWindow, TrackbarRewritesLabelAndRecomputesPreviewFromTheBase) {
    GammaRun run;
    struct Step {
        int position;
        const char* label;
        double gamma;
    } steps[] = {{100, "ガンマ補正:2.00", 2.0},
                 {75, "ガンマ補正:1.50", 1.5},
                 {1, "ガンマ補正:0.02", 0.02},
                 {25, "ガンマ補正:0.50", 0.5},
                 {75, "ガンマ補正:1.50", 1.5}};
    int repaints = 0;
    for (const Step& s : steps) {
        run.surface->MoveTrackbar(kTrackbar, s.position);
        EXPECT_EQ(run.surface->Text(kLabel), s.label);
        // Each move starts again from the untouched base, never from the last preview.
        EXPECT_EQ(DescribeDifference(Corrected(run.original, s.gamma), *run.session->Preview()), "")
            << s.position;
        EXPECT_EQ(run.surface->repaints, ++repaints);
    }
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}

TEST(GammaWindow, ExecuteCorrectsTheImageAfterTakingTheUndoCopy) {
    GammaRun run(150, 20); // larger than the preview
    run.surface->MoveTrackbar(kTrackbar, 100);
    run.surface->PressExecute();
    EXPECT_TRUE(run.surface->closed);
    EXPECT_TRUE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
    EXPECT_EQ(DescribeDifference(Corrected(run.original, 2.0), run.document.Current()), "");
}

TEST(GammaWindow, CancelAfterMovingLeavesTheImage) {
    GammaRun run;
    run.surface->MoveTrackbar(kTrackbar, 10);
    run.surface->PressCancel();
    EXPECT_FALSE(run.session->Result().executed);
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
}
