#include <gtest/gtest.h>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

namespace {

// How many pixels of the image now hold the word.
int32_t Count(const CImage& image, uint32_t word) {
    int32_t n = 0;
    for (size_t i = 0; i < image.PixelCount(); ++i)
        n += image.Bits()[i] == word;
    return n;
}

} // namespace

TEST(ToneCut, MatchesDefinitionOnTestImages) {
    const int32_t cases[][5] = {{1, 128, 255, 0, 0}, {2, 128, 0, 0, 255},    {1, -1, 1, 2, 3},
                                {2, 256, 1, 2, 3},   {1, 255, 9, 8, 7},      {2, 0, -5, 300, 128},
                                {1, 76, 0, 255, 0},  {2, INT32_MIN, 3, 3, 3}};
    for (const auto& c : cases)
        EXPECT_EQ("", CompareOnTestImages(
                          [&](CImage& i) { EXPECT_TRUE(ToneCut(i, c[0], c[1], c[2], c[3], c[4])); },
                          [&](CImage& i) { reference::ToneCut(i, c[0], c[1], c[2], c[3], c[4]); }))
            << "mode " << c[0] << " threshold " << c[1];
}

TEST(ToneCut, ThresholdsAreInclusiveInBothModes) {
    // (128, 128, 129) has Y 128 (grey 128 has 127); pure red has Y 76.
    const CImage start = RowOf({0x808081, 0xFF0000, 0xFFFFFF, 0x000000});
    for (int32_t mode : {1, 2}) {
        CImage image = start;
        ASSERT_TRUE(ToneCut(image, mode, 128, 1, 2, 3));
        EXPECT_EQ(0x010203u, image.GetPixel(0, 0)) << mode;
    }
    CImage image = start;
    ASSERT_TRUE(ToneCut(image, 1, 76, 1, 2, 3));
    EXPECT_EQ(0x010203u, image.GetPixel(1, 0));
    image = start;
    ASSERT_TRUE(ToneCut(image, 1, 75, 1, 2, 3));
    EXPECT_EQ(0xFF0000u, image.GetPixel(1, 0));

    for (auto [mode, threshold, painted] :
         {std::tuple{1, 255, 4}, {2, 0, 4}, {1, -1, 0}, {2, 256, 0}}) {
        image = start;
        ASSERT_TRUE(ToneCut(image, mode, threshold, 300, -1, 7)); // clamped to (255, 0, 7)
        EXPECT_EQ(painted, Count(image, 0xFF0007)) << mode << " " << threshold;
    }
}

TEST(ToneCut, UnknownModeIsRefusedWithoutAnyChange) {
    CImage image = MakeImage(6, 5, Pattern::Random, 11);
    const CImage before = image;
    EXPECT_FALSE(ToneCut(image, 0, 128, 0, 0, 0));
    EXPECT_FALSE(ToneCut(image, 3, 128, 0, 0, 0));
    EXPECT_EQ("", DescribeDifference(before, image, true));
}

TEST(ReplaceColor, MatchesDefinitionOnTestImages) {
    ForEachColourTestImage([](CImage& image, const std::string& what) {
        // Replace the colour of the middle pixel, so that something matches.
        const int32_t x = image.Width() / 2, y = image.Height() / 2;
        const int32_t r = image.GetR(x, y), g = image.GetG(x, y), b = image.GetB(x, y);
        const int32_t colours[2][3] = {{0, 0, 0}, {255, 128, 1}};
        for (const auto& to : colours) {
            CImage want = image, got = image;
            reference::ReplaceColor(want, r, g, b, to[0], to[1], to[2]);
            ReplaceColor(got, r, g, b, to[0], to[1], to[2]);
            EXPECT_EQ("", DescribeDifference(want, got, true)) << what;
        }
    });
}

TEST(ReplaceColor, MatchesIgnoringReservedBitsAndClearsThem) {
    CImage image = RowOf({0xAB0A141E, 0x000A141E, 0x000A141F});
    ReplaceColor(image, 10, 20, 30, 10, 20, 30);
    EXPECT_EQ(0x000A141Eu, image.GetPixel(0, 0));
    EXPECT_EQ(0x000A141Fu, image.GetPixel(2, 0));

    const CImage before = image;
    ReplaceColor(image, 1, 2, 3, 4, 5, 6); // absent colour
    ReplaceColor(image, -1, 20, 30, 4, 5, 6);
    ReplaceColor(image, 10, 20, 286, 4, 5, 6); // would alias 10, 21, 30 if packed blindly
    EXPECT_EQ("", DescribeDifference(before, image, true));

    // New channels outside 0..255 are clamped, keeping bits 24-31 zero.
    ReplaceColor(image, 10, 20, 31, -7, 256, 1000);
    EXPECT_EQ(0x0000FFFFu, image.GetPixel(2, 0));
}
