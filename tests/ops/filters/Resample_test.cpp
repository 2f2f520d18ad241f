#include <gtest/gtest.h>

#include "tests/ops/filters/GeometryReference.h"
#include "tests/support/TestImages.h"

namespace {

struct Size {
    int32_t w, h;
};

CImage Row(std::initializer_list<uint32_t> pixels) {
    CImage image;
    image.Create(int32_t(pixels.size()), 1);
    int32_t x = 0;
    for (uint32_t p : pixels)
        image.SetPixel(x++, 0, p);
    return image;
}

} // namespace

TEST(Resample, MatchesReferenceForManySizes) {
    ForEachTestImage([](const CImage& image, const std::string& what) {
        const int32_t W = image.Width(), H = image.Height();
        const Size sizes[] = {{1, 1},
                              {W, H},
                              {2 * W, 2 * H},
                              {W / 2, H / 2},
                              {3 * W, H},
                              {W, 4 * H + 1},
                              {W + 3, 3 * H - 1},
                              {7, 5},
                              {W / 3 + 1, H},
                              {97, 13},
                              {0, H},
                              {W, 0}};
        for (const Size& s : sizes) {
            CImage expected(image), actual(image);
            const bool expectedResult = ref::Resample(expected, s.w, s.h);
            const bool result = actual.Resample(s.w, s.h);
            const std::string to = what + " to " + std::to_string(s.w) + "x" + std::to_string(s.h);
            EXPECT_EQ(result, expectedResult) << to;
            EXPECT_EQ(DescribeDifference(expected, actual, true), "") << to;
        }
    });
}

TEST(Resample, MatchesReferenceForEnlargementsWithManyWeights) {
    // Uneven factors give many distinct column weights.
    const CImage image = MakeImage(13, 11, Pattern::Random, 99);
    const Size sizes[] = {{200, 7}, {61, 173}, {1000, 3}, {14, 12}, {12, 10}};
    for (const Size& s : sizes) {
        CImage expected(image), actual(image);
        ASSERT_TRUE(ref::Resample(expected, s.w, s.h));
        ASSERT_TRUE(actual.Resample(s.w, s.h));
        EXPECT_EQ(DescribeDifference(expected, actual), "") << s.w << "x" << s.h;
    }
}

TEST(Resample, AveragesAndRepeatsAsDefined) {
    // 2 wide to 3 wide: column 1 is (1.5 left + 0.5 right) / 2.
    CImage two = Row({0x00C86410, 0x00000A14});
    ASSERT_TRUE(two.Resample(3, 1));
    EXPECT_EQ(two.GetPixel(1, 0), 0x00964D11u);

    // 10 wide to 3 wide: column 1 weighs source 3..6 by 1.2, 0.3, 0.3, 0.2.
    CImage ten = Row({0, 0, 0, 100, 200, 200, 250, 0, 0, 0});
    ASSERT_TRUE(ten.Resample(3, 1));
    EXPECT_EQ(ten.GetB(1, 0), 145); // (120 + 60 + 60 + 50) / 2.0

    // Half size: the plain means of the 2 x 2 blocks; double: pixel repetition.
    CImage blocks;
    blocks.Create(4, 4);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            blocks.SetPixel(x, y, uint32_t(x * 10 + y * 40 + 3));
    CImage half(blocks);
    ASSERT_TRUE(half.Resample(2, 2));
    EXPECT_EQ(half.GetPixel(1, 1), uint32_t((103 + 113 + 143 + 153) / 4));
    ASSERT_TRUE(half.Resample(4, 4));
    EXPECT_EQ(half.GetPixel(2, 2), half.GetPixel(3, 3));
    EXPECT_EQ(half.GetPixel(2, 3), uint32_t((103 + 113 + 143 + 153) / 4));
}

TEST(Resample, RefusesNegativeSizesAndFillsEmptySources) {
    const CImage image = MakeImage(6, 4, Pattern::Random, 5);
    CImage same(image);
    EXPECT_FALSE(same.Resample(-1, 4));
    EXPECT_FALSE(same.Resample(4, -1));
    EXPECT_EQ(DescribeDifference(image, same, true), "");

    // An image without pixels has nothing to average: the new pixels are black.
    CImage empty;
    ASSERT_TRUE(empty.Create(0, 0));
    ASSERT_TRUE(empty.Resample(3, 2));
    EXPECT_EQ(empty.Width(), 3);
    EXPECT_EQ(empty.CountColors(), 1);
    EXPECT_EQ(empty.GetPixel(2, 1), 0u);
}
