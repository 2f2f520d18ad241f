#include <gtest/gtest.h>

#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/NeighbourhoodReference.h"
#include "tests/support/TestImages.h"

namespace {

TEST(Median, MatchesDefinition) {
    ForEachTestImage([](CImage& image, const std::string& what) {
        CImage expected(image);
        reference::MedianFilter(expected);
        ASSERT_TRUE(image.MedianFilter());
        ASSERT_EQ("", DescribeDifference(expected, image, true)) << what;
    });
}

TEST(Median, InnerPixelsTakeTheBrightestNeighbourAndTheBorderItsOwnRank) {
    CImage image = Filled(5, 5, 0x00101010);
    image.SetPixel(2, 2, 0x00F0F0F0);
    ASSERT_TRUE(image.MedianFilter());
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            const bool block = x >= 1 && x <= 3 && y >= 1 && y <= 3;
            EXPECT_EQ(block ? 0x00F0F0F0u : 0x00101010u, image.GetPixel(x, y)) << x << "," << y;
        }
}

TEST(Median, EqualLuminanceTakesTheHighestRowThenTheLeftmost) {
    // (255, 0, 0) and (0, 130, 0) both have luminance 76.
    const uint32_t red = 0x00FF0000, green = 0x00008200, dark = 0x00050505;
    CImage image = Filled(3, 3, dark);
    image.SetPixel(2, 0, green); // row below
    image.SetPixel(0, 2, red);   // row above
    ASSERT_TRUE(image.MedianFilter());
    EXPECT_EQ(red, image.GetPixel(1, 1));

    image = Filled(3, 3, dark);
    image.SetPixel(2, 1, red);
    image.SetPixel(0, 1, green);
    ASSERT_TRUE(image.MedianFilter());
    EXPECT_EQ(green, image.GetPixel(1, 1));
}

TEST(Median, SingleRowsAndColumnsAreKept) {
    for (auto [w, h] : {std::pair{1, 1}, {1, 9}, {9, 1}}) {
        CImage image = MakeImage(w, h, Pattern::Random, 21);
        const CImage before(image);
        EXPECT_TRUE(image.MedianFilter());
        EXPECT_EQ("", DescribeDifference(before, image, true)) << w << "x" << h;
    }
    CImage empty;
    empty.Create(0, 0);
    EXPECT_TRUE(empty.MedianFilter());
}

} // namespace
