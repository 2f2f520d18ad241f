#include <climits>

#include <gtest/gtest.h>

#include "tests/ops/filters/GeometryReference.h"
#include "tests/support/TestImages.h"

namespace {

struct Rect {
    int32_t x, y, w, h;
};

} // namespace

TEST(Trim, MatchesReferenceForEdgeAndRefusedRectangles) {
    ForEachTestImage([](const CImage& image, const std::string& what) {
        const int32_t W = image.Width(), H = image.Height();
        const Rect rects[] = {
            {0, 0, W, H},     {W - 2, H - 2, 1, 1}, {W - 2, H - 2, 5, 5},
            {1, 1, W, H},     {2, 3, 10000, 10000}, {0, 0, INT_MAX, INT_MAX},
            {W / 2, 0, 1, H}, {W - 1, 0, 1, 1},     {0, H - 1, 1, 1},
            {-1, 0, 2, 2},    {0, -1, 2, 2},        {0, 0, 0, 1},
            {0, 0, 1, 0},     {0, 0, -5, 3},        {INT_MAX, 0, 1, 1},
        };
        for (const Rect& r : rects) {
            CImage expected(image), actual(image);
            const bool expectedResult = ref::Trim(expected, r.x, r.y, r.w, r.h);
            const bool result = actual.Trim(r.x, r.y, r.w, r.h);
            const std::string at = what + " at " + std::to_string(r.x) + "," + std::to_string(r.y) +
                                   " " + std::to_string(r.w) + "x" + std::to_string(r.h);
            EXPECT_EQ(result, expectedResult) << at;
            EXPECT_EQ(DescribeDifference(expected, actual, true), "") << at;
        }
    });
}

TEST(Trim, ClipsToTheImageAndRefusesTheLastColumnAndRow) {
    const CImage image = MakeImage(10, 8, Pattern::Random, 7);
    CImage cut(image);
    ASSERT_TRUE(cut.Trim(2, 3, 10000, 10000));
    ASSERT_EQ(cut.Width(), 8);
    ASSERT_EQ(cut.Height(), 5);
    EXPECT_EQ(cut.GetPixel(0, 0), image.GetPixel(2, 3));
    EXPECT_EQ(cut.GetPixel(7, 4), image.GetPixel(9, 7));

    // A width that would overflow when added to x is clipped, not wrapped.
    CImage huge(image);
    ASSERT_TRUE(huge.Trim(1, 1, INT_MAX, INT_MAX));
    EXPECT_EQ(huge.Width(), 9);
    EXPECT_EQ(huge.Height(), 7);

    CImage refused(image);
    EXPECT_FALSE(refused.Trim(9, 0, 1, 1));
    EXPECT_FALSE(refused.Trim(0, 7, 1, 1));
    EXPECT_EQ(DescribeDifference(image, refused, true), "");
}
