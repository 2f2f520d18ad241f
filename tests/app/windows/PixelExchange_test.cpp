#include <gtest/gtest.h>

#include "app/Document.h"
#include "app/windows/PixelExchange.h"
#include "core/Random.h"
#include "ops/filters/FilterOps.h"
#include "tests/support/TestImages.h"
#include "tests/support/WindowRun.h"

using namespace pixel_exchange_window;

TEST(PixelExchangeWindow, LabelFollowsTheTrackbarAndExecuteDrawsFromTheGenerator) {
    WindowRun run(ParameterWindow::PixelExchange, MakeImage(30, 20, Pattern::Random, 6));
    EXPECT_EQ(run.surface->Text(kLabel), "交換確率:10%");
    run.surface->MoveTrackbar(kTrackbar, 0);
    EXPECT_EQ(run.surface->Text(kLabel), "交換確率:0%");
    run.surface->MoveTrackbar(kTrackbar, 37);
    EXPECT_EQ(run.surface->Text(kLabel), "交換確率:37%");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Current()), "");
    SeedRandom(1234);
    run.surface->PressExecute();
    EXPECT_TRUE(run.session->Result().executed);
    CImage expected = run.original;
    SeedRandom(1234);
    ExchangePixels(expected, 37);
    EXPECT_EQ(DescribeDifference(expected, run.document.Current()), "");
    EXPECT_EQ(DescribeDifference(run.original, run.document.Undo()), "");
}
