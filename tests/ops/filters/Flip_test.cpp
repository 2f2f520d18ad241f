#include <gtest/gtest.h>

#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/GeometryReference.h"
#include "tests/support/TestImages.h"

namespace {

// Compares the shipped operation with its transcription, auxiliary plane included.
template <typename Shipped, typename Reference>
void ExpectSameAsReference(Shipped op, Reference r) {
    ForEachTestImage([&](const CImage& image, const std::string& what) {
        CImage expected(image), actual(image);
        r(expected);
        op(actual);
        EXPECT_EQ(DescribeDifference(expected, actual, true), "") << what;
    });
}

CImage Numbered(int32_t w, int32_t h) {
    CImage image;
    image.Create(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            image.SetPixel(x, y, uint32_t(x + 16 * y));
    return image;
}

} // namespace

TEST(Flip, MatchesReference) {
    ExpectSameAsReference(FlipVertical, ref::FlipVertical);
    ExpectSameAsReference(FlipHorizontal, ref::FlipHorizontal);
    ExpectSameAsReference(ExchangeXY, ref::ExchangeXY);
}

TEST(Flip, MovesPixelsWhereExpected) {
    CImage image = Numbered(3, 2);
    FlipVertical(image);
    EXPECT_EQ(image.GetPixel(0, 0), 16u); // the top row is now at the bottom
    EXPECT_EQ(image.GetPixel(2, 1), 2u);
    FlipHorizontal(image);
    EXPECT_EQ(image.GetPixel(0, 0), 18u);
    EXPECT_EQ(image.GetPixel(2, 1), 0u);

    // 3 x 1 becomes 1 x 3 whose rows hold the old columns; twice gives it back.
    CImage row = Numbered(3, 1);
    ExchangeXY(row);
    ASSERT_EQ(row.Width(), 1);
    ASSERT_EQ(row.Height(), 3);
    for (int32_t y = 0; y < 3; ++y)
        EXPECT_EQ(row.GetPixel(0, y), uint32_t(y));
    CImage wide = Numbered(5, 3);
    CImage twice(wide);
    ExchangeXY(twice);
    EXPECT_EQ(twice.GetPixel(2, 4), wide.GetPixel(4, 2));
    ExchangeXY(twice);
    EXPECT_EQ(DescribeDifference(wide, twice), "");
}

TEST(Flip, EmptyImagesStayEmpty) {
    CImage image;
    ASSERT_TRUE(image.Create(0, 4));
    FlipVertical(image);
    FlipHorizontal(image);
    ExchangeXY(image);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 0);
}
