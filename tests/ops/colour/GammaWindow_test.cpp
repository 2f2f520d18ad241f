#include <gtest/gtest.h>

#include "core/Document.h"
#include "ops/colour/ColourOps.h"
#include "ops/colour/GammaWindow.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakeSurface.h"
#include "tests/support/TestImages.h"

using namespace gamma_window;

namespace {

struct GammaRun {
    FakeHost host;
    CImageDocument document{host};
    TrimFrame trim;
    CImage original;
    std::unique_ptr<ParameterWindowSession> session;
    std::unique_ptr<FakeSurface> surface;

    explicit GammaRun(int32_t w = 40, int32_t h = 30) {
        document.Current() = MakeImage(w, h, Pattern::Random, 99);
        original = document.Current();
        session = std::make_unique<ParameterWindowSession>(ParameterWindow::Gamma, document, trim);
        surface = std::make_unique<FakeSurface>(*session);
    }
};

CImage Corrected(const CImage& image, double gamma) {
    CImage copy = image;
    CorrectGamma(copy, gamma);
    return copy;
}

} // namespace

TEST(GammaWindow, OpensAtGammaOneWithTheTrackbarCentred) {
    GammaRun run;
    EXPECT_EQ(run.surface->texts[kLabel], "ガンマ補正:1.0");
    EXPECT_EQ(run.surface->trackbars[kTrackbar], 50);
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
        EXPECT_EQ(run.surface->texts[kLabel], s.label);
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
