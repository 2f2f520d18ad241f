#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/NeighbourhoodReference.h"
#include "tests/support/TestImages.h"

namespace {

const int32_t kThresholds[] = {INT32_MIN, -5,  0,   1,     10,    64,       128,
                               256,       441, 442, 46341, 65536, INT32_MAX};

TEST(ColourDistance, IsTheSquaredRgbDistance) {
    EXPECT_EQ(0, ColourDistanceSquared(0x00123456, 0x00123456));
    EXPECT_EQ(3 * 255 * 255, ColourDistanceSquared(0x00000000, 0x00FFFFFF));
    EXPECT_EQ(100 + 4 + 1, ColourDistanceSquared(0x000A0201, 0x00000000));
    EXPECT_EQ(ColourDistanceSquared(0x00102030, 0x00302010),
              ColourDistanceSquared(0x00302010, 0x00102030));
}

TEST(AddOutline, MatchesDefinition) {
    for (int32_t t : kThresholds)
        ForEachTestImage([&](CImage& image, const std::string& what) {
            CImage expected(image);
            reference::AddOutline(expected, t, 0);
            ASSERT_TRUE(AddOutline(image, t, 0));
            ASSERT_EQ("", DescribeDifference(expected, image, true)) << what << ", threshold " << t;
        });
    CImage image = MakeImage(17, 3, Pattern::HardEdges, 5), expected(image);
    reference::AddOutline(expected, 3, 0x00FF8000);
    ASSERT_TRUE(AddOutline(image, 3, 0x00FF8000));
    EXPECT_EQ("", DescribeDifference(expected, image));
}

TEST(AddOutline, PaintsBothSidesOfAnEdgeAboveTheThreshold) {
    CImage image = Filled(4, 3, 0x00505050);
    image.SetPixel(2, 1, 0x005A5050); // red differs by 10: distance 100, not above 10^2
    ASSERT_TRUE(AddOutline(image, 10, 0));
    EXPECT_EQ(0x005A5050u, image.GetPixel(2, 1));
    EXPECT_EQ(0x00505050u, image.GetPixel(1, 1));
    image.SetPixel(2, 1, 0x005B5050); // by 11: 121 > 100
    ASSERT_TRUE(AddOutline(image, 10, 0));
    EXPECT_EQ(0u, image.GetPixel(2, 1));
    EXPECT_EQ(0u, image.GetPixel(1, 1));
    EXPECT_EQ(0u, image.GetPixel(2, 2));
    EXPECT_EQ(0x00505050u, image.GetPixel(1, 2)); // diagonal only
}

TEST(AddOutline, HugeThresholdsPaintNothing) {
    // The square of 65536 wraps to 0 in 32 bits, which would paint every edge.
    for (int32_t t : {65536, 100000, INT32_MAX}) {
        CImage image = MakeImage(9, 9, Pattern::HardEdges, 7);
        const CImage before(image);
        ASSERT_TRUE(AddOutline(image, t, 0));
        EXPECT_EQ("", DescribeDifference(before, image, true)) << t;
    }
}

TEST(Antialias, MatchesDefinition) {
    for (int32_t t : kThresholds)
        ForEachTestImage([&](CImage& image, const std::string& what) {
            CImage expected(image);
            reference::Antialias(expected, t);
            ASSERT_TRUE(Antialias(image, t));
            ASSERT_EQ("", DescribeDifference(expected, image, true)) << what << ", threshold " << t;
        });
}

TEST(Antialias, SmoothsDiagonalEdgesAndReadsEarlierResults) {
    CImage image = Filled(3, 3, 0);
    image.SetPixel(2, 2, 0x00FFFFFF); // differs from (1, 1) diagonally only
    ASSERT_TRUE(Antialias(image, 100));
    EXPECT_EQ(0x00191919u, image.GetPixel(1, 1)); // 255 div 10

    // Two strongly different neighbours in a row: the left one is smoothed
    // first and the right one reads the smoothed value.
    CImage pair = Filled(2, 1, 0);
    pair.SetPixel(1, 0, 0x00C8C8C8);
    ASSERT_TRUE(Antialias(pair, 10));
    EXPECT_EQ(0x00424242u, pair.GetPixel(0, 0)); // (2 x 0 + 200) div 3 = 66
    EXPECT_EQ(0x009B9B9Bu, pair.GetPixel(1, 0)); // (2 x 200 + 66) div 3 = 155
}

TEST(SmoothAt, WeighsTheCentreAndSkipsOutsidePositions) {
    CImage image = MakeImage(6, 5, Pattern::Random, 9);
    for (auto [x, y, r, w] :
         {std::tuple{0, 0, 1, 2}, {5, 4, 1, 2}, {2, 3, 2, 5}, {3, 2, 1, 1}, {4, 0, 3, 1000}}) {
        CImage expected(image), actual(image);
        ASSERT_TRUE(reference::SmoothAt(expected, x, y, r, w));
        ASSERT_TRUE(actual.SmoothAt(x, y, r, w));
        EXPECT_EQ("", DescribeDifference(expected, actual, true)) << x << "," << y << " " << r;
    }
    // Any radius beyond the image covers the whole image, without overflow.
    for (auto [x, y, w] : {std::tuple{1, 1, 3}, {5, 4, INT32_MAX}}) {
        CImage expected(image), actual(image);
        ASSERT_TRUE(reference::SmoothAt(expected, x, y, 6, w));
        ASSERT_TRUE(actual.SmoothAt(x, y, INT32_MAX, w));
        EXPECT_EQ("", DescribeDifference(expected, actual, true)) << x << "," << y;
    }
    const CImage before(image);
    EXPECT_FALSE(image.SmoothAt(-1, 0, 1, 2));
    EXPECT_FALSE(image.SmoothAt(6, 0, 1, 2));
    EXPECT_FALSE(image.SmoothAt(0, 0, 0, 2));
    EXPECT_FALSE(image.SmoothAt(0, 0, 1, 0));
    EXPECT_EQ("", DescribeDifference(before, image, true));
}

} // namespace
