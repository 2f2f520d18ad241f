#include <gtest/gtest.h>

#include "core/Random.h"
#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/GeometryReference.h"
#include "tests/support/TestImages.h"

TEST(ExchangePixels, MatchesReferenceAndDrawsTheSameNumbers) {
    for (int32_t percent : {0, 50, 100, -1, 101}) {
        ForEachTestImage([&](const CImage& image, const std::string& what) {
            CImage expected(image), actual(image);
            SeedRandom(20240601);
            ref::ExchangePixels(expected, percent);
            const int32_t expectedNext = NextRandom();
            SeedRandom(20240601);
            ExchangePixels(actual, percent);
            EXPECT_EQ(NextRandom(), expectedNext) << what << " " << percent << "%";
            EXPECT_EQ(DescribeDifference(expected, actual, true), "") << what << " " << percent;
        });
    }
}

TEST(ExchangePixels, ZeroChangesNothingButDrawsOncePerPixel) {
    const CImage image = MakeImage(9, 4, Pattern::Random, 3);
    CImage actual(image);
    SeedRandom(1);
    for (int i = 0; i < 36; ++i)
        NextRandom();
    const int32_t after = NextRandom();
    SeedRandom(1);
    ExchangePixels(actual, 0);
    EXPECT_EQ(NextRandom(), after);
    EXPECT_EQ(DescribeDifference(image, actual, true), "");
}

TEST(PinholeCamera, MatchesReference) {
    std::vector<CImage> images;
    ForEachTestImage([&](const CImage& image, const std::string&) { images.push_back(image); });
    images.push_back(MakeImage(16, 16, Pattern::Random, 8));
    images.push_back(MakeImage(17, 23, Pattern::HardEdges, 9));
    images.push_back(MakeImage(15, 100, Pattern::Random, 10));
    images.push_back(MakeImage(100, 15, Pattern::Random, 11));
    for (const CImage& image : images) {
        CImage expected(image), actual(image);
        ref::PinholeCamera(expected);
        PinholeCamera(actual);
        EXPECT_EQ(DescribeDifference(expected, actual, true), "")
            << image.Width() << "x" << image.Height();
    }
}

TEST(PinholeCamera, LeavesSmallImagesAlone) {
    for (const CImage& image :
         {MakeImage(15, 100, Pattern::Random, 1), MakeImage(100, 15, Pattern::Random, 2)}) {
        CImage actual(image);
        PinholeCamera(actual);
        EXPECT_EQ(DescribeDifference(image, actual, true), "");
    }
}
