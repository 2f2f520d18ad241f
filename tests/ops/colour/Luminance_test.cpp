#include <gtest/gtest.h>

#include <set>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

namespace {

// Greys and greys with one more level of blue: between them every luminance
// occurs with Cr = Cb = 128, so after a luminance mapping those pixels are
// grey at their new Y.
CImage NearGreys() {
    CImage image;
    image.Create(511, 1);
    for (int32_t v = 0; v < 256; ++v)
        image.SetPixel(v, 0, uint32_t(v) * 0x010101u);
    for (int32_t v = 0; v < 255; ++v)
        image.SetPixel(256 + v, 0, uint32_t(v) * 0x010101u + 1);
    return image;
}

// The new level of every colourless pixel whose luminance was y, checked to
// agree; -1 when there is none.
int32_t MappedLevelOfLuminance(const CImage& before, const CImage& after, int32_t y) {
    CImage ycc = before;
    ycc.RgbToYcc();
    int32_t level = -1;
    for (int32_t x = 0; x < before.Width(); ++x) {
        if (ycc.GetY(x, 0) != y || ycc.GetCr(x, 0) != 128 || ycc.GetCb(x, 0) != 128) continue;
        EXPECT_EQ(after.GetR(x, 0), after.GetG(x, 0));
        EXPECT_EQ(after.GetR(x, 0), after.GetB(x, 0));
        if (level >= 0) {
            EXPECT_EQ(level, after.GetR(x, 0));
        }
        level = after.GetR(x, 0);
    }
    return level;
}

} // namespace

TEST(LuminanceRange, MatchesDefinitionOnTestImages) {
    const int32_t ranges[][4] = {{0, 255, 0, 255},
                                 {100, 150, 0, 200},
                                 {100, 150, 0, 255},
                                 {-40, 300, 20, 20},
                                 {30, 31, 255, 255},
                                 {0, 255, 255, 300},
                                 {INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX}};
    for (const auto& r : ranges)
        EXPECT_EQ(
            "", CompareOnTestImages(
                    [&](CImage& i) { EXPECT_TRUE(MapLuminanceRange(&i, r[0], r[1], r[2], r[3])); },
                    [&](CImage& i) { reference::MapLuminanceRange(i, r[0], r[1], r[2], r[3]); }))
            << r[0] << "," << r[1] << "," << r[2] << "," << r[3];
}

TEST(LuminanceRange, RefusedRangesChangeNothing) {
    CImage image = MakeImage(9, 4, Pattern::Random, 7);
    const CImage before = image;
    EXPECT_FALSE(MapLuminanceRange(&image, 10, 10, 0, 255));
    EXPECT_FALSE(MapLuminanceRange(&image, 11, 10, 0, 255));
    EXPECT_FALSE(MapLuminanceRange(&image, 0, 255, 200, 100));
    EXPECT_FALSE(MapLuminanceRange(nullptr, 0, 255, 0, 255));
    EXPECT_EQ("", DescribeDifference(before, image, true));
}

TEST(LuminanceRange, DocumentedMappings) {
    const CImage greys = NearGreys();
    CImage image = greys;
    ASSERT_TRUE(MapLuminanceRange(&image, 100, 150, 0, 200)); // scale exactly 4
    for (int32_t y : {0, 50, 100})
        EXPECT_EQ(0, MappedLevelOfLuminance(greys, image, y));
    EXPECT_EQ(100, MappedLevelOfLuminance(greys, image, 125));
    EXPECT_EQ(200, MappedLevelOfLuminance(greys, image, 150));
    for (int32_t y : {164, 200, 255})
        EXPECT_EQ(255, MappedLevelOfLuminance(greys, image, y));

    image = greys;
    ASSERT_TRUE(MapLuminanceRange(&image, 100, 150, 0, 255));
    EXPECT_EQ(254, MappedLevelOfLuminance(greys, image, 150));
    EXPECT_EQ(255, MappedLevelOfLuminance(greys, image, 151));

    // The identity range still passes the colours through YCrCb and back; the
    // auxiliary plane is left alone.
    CImage red = RowOf({0xFF0000});
    red.AuxBits()[0] = 0x12345678;
    ASSERT_TRUE(MapLuminanceRange(&red, 0, 255, 0, 255));
    EXPECT_EQ(0xFE0000u, red.GetPixel(0, 0));
    EXPECT_EQ(0x12345678u, red.GetAux(0, 0));
}

TEST(LuminanceRange, TheThirtyTwoSpansThatEndOneShort) {
    const std::set<int32_t> shortSpans = {25,  29,  50,  53,  58,  91,  93,  100, 103, 105, 106,
                                          116, 117, 121, 182, 185, 186, 187, 191, 200, 203, 206,
                                          207, 210, 212, 217, 221, 232, 233, 234, 235, 242};
    const CImage greys = NearGreys();
    for (int32_t span = 1; span < 256; ++span) {
        CImage image = greys;
        ASSERT_TRUE(MapLuminanceRange(&image, 0, span, 0, 255));
        EXPECT_EQ(shortSpans.count(span) ? 254 : 255, MappedLevelOfLuminance(greys, image, span))
            << "span " << span;
    }
}

TEST(MaximizeContrast, MatchesDefinitionOnTestImages) {
    EXPECT_EQ("", CompareOnTestImages([](CImage& i) { MaximizeContrast(i); },
                                      [](CImage& i) { reference::MaximizeContrast(i); }));
}

TEST(MaximizeContrast, StretchesTheMeasuredSpanAndLeavesFlatImagesAlone) {
    // Greys of luminance 100 and 150 (span 50, whose top lands on 254), and
    // 100 and 160 (span 60, top 255).
    CImage narrow = RowOf({0x646464, 0x969696, 0x7F7F7F});
    ASSERT_EQ(100, narrow.GetLuminance(0, 0));
    ASSERT_EQ(150, narrow.GetLuminance(1, 0));
    MaximizeContrast(narrow);
    EXPECT_EQ(0u, narrow.GetPixel(0, 0));
    EXPECT_EQ(0xFEFEFEu, narrow.GetPixel(1, 0));

    CImage wide = RowOf({0x646464, 0xA0A0A0});
    ASSERT_EQ(160, wide.GetLuminance(1, 0));
    MaximizeContrast(wide);
    EXPECT_EQ(0xFFFFFFu, wide.GetPixel(1, 0));

    CImage flat = Filled(5, 3, 0x00336699);
    const CImage before = flat;
    MaximizeContrast(flat);
    EXPECT_EQ("", DescribeDifference(before, flat, true));

    CImage full = RowOf({0x000000, 0xFFFFFF, 0xFF0000});
    MaximizeContrast(full);
    EXPECT_EQ(0xFE0000u, full.GetPixel(2, 0));
}

TEST(Saturation, MatchesDefinitionOnTestImages) {
    for (int32_t amount : {-32, -5, 0, 1, 17, 32, INT32_MIN, INT32_MAX})
        EXPECT_EQ("",
                  CompareOnTestImages([&](CImage& i) { EXPECT_TRUE(AdjustSaturation(i, amount)); },
                                      [&](CImage& i) { reference::AdjustSaturation(i, amount); }))
            << "amount " << amount;
}

TEST(Saturation, GreysStayGreyAndSmallChromaVanishes) {
    CImage red = RowOf({0xFF0000});
    ASSERT_TRUE(AdjustSaturation(red, 0));
    EXPECT_EQ(0xFC0100u, red.GetPixel(0, 0));

    for (int32_t amount : {-32, 0, 32}) {
        CImage greys = RowOf({0x000000, 0x808080, 0xFFFFFF});
        ASSERT_TRUE(AdjustSaturation(greys, amount));
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(greys.GetR(x, 0), greys.GetG(x, 0)) << amount;
            EXPECT_EQ(greys.GetR(x, 0), greys.GetB(x, 0)) << amount;
        }
    }

    // A pale colour (chroma length below 33) becomes grey at amount -32.
    CImage pale = RowOf({0x9A8080, 0x80807A});
    ASSERT_TRUE(AdjustSaturation(pale, -32));
    for (int32_t x = 0; x < 2; ++x) {
        EXPECT_EQ(pale.GetR(x, 0), pale.GetG(x, 0));
        EXPECT_EQ(pale.GetR(x, 0), pale.GetB(x, 0));
    }
}

TEST(LuminanceRange, LargeImagesMatchDefinitionToo) {
    // Large enough to be worked in several pieces, with a shorter last one.
    const CImage start = MakeImage(211, 97, Pattern::Random, 99);
    CImage want = start, got = start;
    reference::MapLuminanceRange(want, 20, 230, 5, 250);
    ASSERT_TRUE(MapLuminanceRange(&got, 20, 230, 5, 250));
    EXPECT_EQ("", DescribeDifference(want, got, true));
    want = start;
    got = start;
    reference::AdjustSaturation(want, 9);
    ASSERT_TRUE(AdjustSaturation(got, 9));
    EXPECT_EQ("", DescribeDifference(want, got, true));
}
