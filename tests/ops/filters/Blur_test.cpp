#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/NeighbourhoodReference.h"
#include "tests/support/TestImages.h"

namespace {

// Dark pixels with a few bright ones: small sums, where the extended sums
// round at the most places.
CImage Dark(int32_t w, int32_t h, uint32_t seed) {
    CImage image = MakeImage(w, h, Pattern::Random, seed);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t v = image.GetPixel(x, y);
            image.SetPixel(x, y, (x * 7 + y * 3) % 11 == 0 ? v : v & 0x00070307);
        }
    return image;
}

void ExpectBlurAsDefined(int32_t range, double weight) {
    ForEachTestImage([&](CImage& image, const std::string& what) {
        CImage expected(image);
        reference::Blur(expected, range, weight);
        ASSERT_TRUE(image.Blur(range, weight));
        ASSERT_EQ("", DescribeDifference(expected, image, true))
            << what << ", range " << range << ", weight " << weight;
    });
}

void ExpectUnsharpAsDefined(int32_t range, double strength) {
    ForEachTestImage([&](CImage& image, const std::string& what) {
        CImage expected(image);
        reference::UnsharpMask(expected, range, strength);
        ASSERT_TRUE(image.UnsharpMask(range, strength));
        ASSERT_EQ("", DescribeDifference(expected, image, true))
            << what << ", range " << range << ", strength " << strength;
    });
}

TEST(Blur, MatchesDefinitionForEveryWindowWeightAtRangeOne) {
    for (int position = 0; position <= 40; ++position)
        ExpectBlurAsDefined(1, (position - 20) * 0.2);
}

TEST(Blur, MatchesDefinitionAtLargerRanges) {
    for (int32_t range : {2, 6})
        for (double weight : {-4.0, -3.0, -0.2, 0.0, 0.2, 1.0, 2.6, 4.0})
            ExpectBlurAsDefined(range, weight);
}

TEST(Blur, MatchesDefinitionWhereSmallSumsRoundMost) {
    for (int32_t range = 1; range <= 7; ++range)
        for (double weight :
             {0.2, -0.2, 0.6000000000000001, 1.0 / 3, 0.0625, -3.8000000000000003, 31.9, -32.0})
            for (auto [w, h] : {std::pair{31, 29}, {16, 3}, {4, 40}}) {
                CImage image = Dark(w, h, uint32_t(range * 100 + w));
                CImage expected(image);
                reference::Blur(expected, range, weight);
                ASSERT_TRUE(image.Blur(range, weight));
                ASSERT_EQ("", DescribeDifference(expected, image, true))
                    << w << "x" << h << ", range " << range << ", weight " << weight;
            }
}

TEST(Blur, MatchesDefinitionOutsideTheUsualParameters) {
    for (auto [range, weight] : {std::pair{0, 0.2},
                                 {0, -1.0},
                                 {-1, 1.0},
                                 {8, 0.2},
                                 {9, 1.0},
                                 {1, 0.01},
                                 {2, 1e-5},
                                 {1, 100.0},
                                 {3, -1e6}})
        ExpectBlurAsDefined(range, weight);
}

TEST(Blur, FractionalWeightsCanTruncateUniformAreasOneStepLower) {
    // Levels that come out one lower in the middle of a uniform area with
    // centre weight 0.2, worked out with exact 64-bit-significand rounding.
    const std::set<int> rangeOne = {
        5,   9,   10,  13,  15,  18,  20,  21,  25,  26,  30,  31,  35,  36,  37,  40,  42,  43,
        45,  47,  50,  52,  55,  57,  60,  62,  65,  67,  69,  70,  72,  74,  75,  77,  79,  80,
        81,  84,  85,  86,  89,  90,  91,  94,  95,  99,  100, 104, 105, 109, 110, 114, 115, 119,
        120, 124, 125, 129, 130, 134, 135, 138, 139, 140, 143, 144, 145, 148, 149, 150, 153, 154,
        155, 158, 159, 160, 162, 163, 165, 167, 168, 170, 172, 173, 175, 177, 178, 180, 182, 183,
        185, 187, 188, 190, 193, 195, 198, 200, 203, 205, 208, 210, 213, 215, 218, 220, 223, 225,
        228, 230, 233, 235, 238, 240, 243, 245, 248, 250, 253, 255};
    const std::set<int> rangeSix = {
        5,   10,  15,  20,  25,  30,  31,  35,  40,  43,  45,  50,  55,  60,  62,  65,  70,  75,
        80,  81,  85,  86,  90,  91,  95,  100, 105, 110, 115, 119, 120, 124, 125, 130, 135, 140,
        145, 150, 155, 160, 162, 165, 167, 170, 172, 175, 177, 180, 182, 185, 187, 190, 195, 200,
        205, 210, 215, 220, 225, 230, 235, 238, 240, 243, 245, 248, 250, 253, 255};
    for (int v = 0; v < 256; ++v) {
        CImage small = Filled(3, 3, uint32_t(v) * 0x010101);
        ASSERT_TRUE(small.Blur(1, 0.2));
        EXPECT_EQ(v - int(rangeOne.count(v)), small.GetG(1, 1)) << v;
        CImage large = Filled(13, 13, uint32_t(v) * 0x010101);
        ASSERT_TRUE(large.Blur(6, 0.2));
        EXPECT_EQ(v - int(rangeSix.count(v)), large.GetG(6, 6)) << v;
    }
    // Whole-number weights keep uniform areas exactly.
    CImage image = Filled(9, 8, 0x00817F05);
    const CImage before(image);
    ASSERT_TRUE(image.Blur(6, 1.0));
    EXPECT_EQ("", DescribeDifference(before, image));
}

TEST(Blur, NegativeWeightLeavesPixelsWithoutPositiveWeightSum) {
    CImage image = MakeImage(4, 4, Pattern::Random, 31);
    const CImage before(image);
    ASSERT_TRUE(image.Blur(1, -3.0));
    // A corner has three neighbours: weight sum 0, unchanged.
    EXPECT_EQ(before.GetPixel(0, 0), image.GetPixel(0, 0));
    EXPECT_EQ(before.GetPixel(3, 3), image.GetPixel(3, 3));
    // An inner pixel gets (sum of the eight - 3 x itself) / 5, clamped.
    int32_t sum = -3 * before.GetR(1, 1);
    for (int32_t y = 0; y <= 2; ++y)
        for (int32_t x = 0; x <= 2; ++x)
            if (x != 1 || y != 1) sum += before.GetR(x, y);
    EXPECT_EQ(std::clamp(sum / 5, 0, 255), image.GetR(1, 1));
}

TEST(UnsharpMask, MatchesDefinition) {
    for (int32_t range : {1, 2, 6})
        for (double strength : {-4.0, -0.7, 0.0, 0.4, 2.2, 4.0})
            ExpectUnsharpAsDefined(range, strength);
    for (auto [range, strength] : {std::pair{0, 1.5}, {7, -0.7}, {8, 4.0}})
        ExpectUnsharpAsDefined(range, strength);
}

TEST(UnsharpMask, KeepsUniformAreasAndTruncatesSmallGains) {
    CImage image = Filled(7, 5, 0x00C81E64);
    const CImage before(image);
    ASSERT_TRUE(image.UnsharpMask(3, 4.0));
    EXPECT_EQ("", DescribeDifference(before, image));

    // Blurred (4 x 100 + 3 x 98) div 7 = 99: 0.4 x 1 + 100 = 100.4 stores 100.
    CImage pair = Filled(2, 1, 0);
    pair.SetPixel(0, 0, 0x00646464);
    pair.SetPixel(1, 0, 0x00626262);
    ASSERT_TRUE(pair.UnsharpMask(1, 0.4));
    EXPECT_EQ(0x00646464u, pair.GetPixel(0, 0));
    EXPECT_EQ(0x00626262u, pair.GetPixel(1, 0));

    // A strong mask pushes a dark dot to black and its neighbours to white.
    CImage dot = Filled(5, 5, 0x00C8C8C8);
    dot.SetPixel(2, 2, 0);
    ASSERT_TRUE(dot.UnsharpMask(1, 4.0));
    EXPECT_EQ(0u, dot.GetPixel(2, 2));
    EXPECT_EQ(0x00FFFFFFu, dot.GetPixel(2, 3));
    EXPECT_EQ(0x00FFFFFFu, dot.GetPixel(1, 1));
}

TEST(UnsharpMask, NegativeRangeIsRefused) {
    // No position would be averaged, not even the pixel: a division by zero.
    CImage image = MakeImage(5, 4, Pattern::Random, 41);
    const CImage before(image);
    EXPECT_FALSE(image.UnsharpMask(-1, 1.0));
    EXPECT_EQ("", DescribeDifference(before, image, true));
}

} // namespace
