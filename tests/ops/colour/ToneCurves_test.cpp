#include <gtest/gtest.h>

#include <vector>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

namespace {

// The new value of every channel value, read from the red channel.
std::vector<int32_t> RedCurve(bool (*op)(CImage&, double), double parameter) {
    CImage image;
    image.Create(256, 1);
    for (int32_t v = 0; v < 256; ++v)
        image.SetPixel(v, 0, uint32_t(v) << 16);
    EXPECT_TRUE(op(image, parameter));
    std::vector<int32_t> curve;
    for (int32_t v = 0; v < 256; ++v)
        curve.push_back(image.GetR(v, 0));
    return curve;
}

bool Gamma(CImage& image, double gamma) {
    return CorrectGamma(image, gamma);
}
bool PosterizeAll(CImage& image, double levels) {
    const int32_t n = int32_t(levels);
    return Posterize(image, n, n, n);
}

// Checks that the table maps each band [first, last] to its value.
struct Band {
    int32_t first, last, value;
};
void ExpectBands(const std::vector<int32_t>& curve, std::initializer_list<Band> bands) {
    for (const Band& band : bands)
        for (int32_t v = band.first; v <= band.last; ++v)
            EXPECT_EQ(band.value, curve[v]) << v;
}

} // namespace

TEST(Gamma, MatchesDefinitionOnTestImages) {
    for (double gamma : {0.02, 0.5, 0.98, 1.0, 1.5, 2.0, 7.25})
        EXPECT_EQ("", CompareOnTestImages([&](CImage& i) { EXPECT_TRUE(CorrectGamma(i, gamma)); },
                                          [&](CImage& i) { reference::CorrectGamma(i, gamma); }))
            << "gamma " << gamma;
}

TEST(Gamma, DocumentedValues) {
    const std::vector<int32_t> one = RedCurve(Gamma, 1.0);
    for (int32_t v = 0; v < 256; ++v)
        EXPECT_EQ(v, one[v]);
    const std::vector<int32_t> two = RedCurve(Gamma, 2.0);
    EXPECT_EQ(127, two[64]);
    EXPECT_EQ(180, two[128]);
    EXPECT_EQ(15, two[1]);
    const std::vector<int32_t> half = RedCurve(Gamma, 0.5);
    EXPECT_EQ(16, half[64]);
    EXPECT_EQ(64, half[128]);
    const std::vector<int32_t> steep = RedCurve(Gamma, 0.02);
    for (int32_t v = 0; v <= 228; ++v)
        EXPECT_EQ(0, steep[v]) << v;
    EXPECT_EQ(12, steep[240]);
    EXPECT_EQ(94, steep[250]);
    EXPECT_EQ(209, steep[254]);
    EXPECT_EQ(255, steep[255]);
    const std::vector<int32_t> mild = RedCurve(Gamma, 1.5);
    EXPECT_EQ(6, mild[1]);
    EXPECT_EQ(101, mild[64]);
    EXPECT_EQ(161, mild[128]);
}

TEST(Gamma, RefusesGammaThatIsNotPositive) {
    CImage image = MakeImage(4, 3, Pattern::Random, 3);
    const CImage before = image;
    EXPECT_FALSE(CorrectGamma(image, 0));
    EXPECT_FALSE(CorrectGamma(image, -1.5));
    EXPECT_EQ("", DescribeDifference(before, image, true));
}

TEST(Posterize, MatchesDefinitionOnTestImages) {
    const int32_t counts[][3] = {{2, 2, 2},   {256, 256, 256}, {2, 256, 256},
                                 {3, 26, 49}, {98, 5, 4},      {7, 200, 255}};
    for (const auto& c : counts)
        EXPECT_EQ(
            "", CompareOnTestImages([&](CImage& i) { EXPECT_TRUE(Posterize(i, c[0], c[1], c[2])); },
                                    [&](CImage& i) { reference::Posterize(i, c[0], c[1], c[2]); }))
            << c[0] << "," << c[1] << "," << c[2];
}

TEST(Posterize, DocumentedTables) {
    ExpectBands(RedCurve(PosterizeAll, 2), {{0, 127, 0}, {128, 255, 255}});
    ExpectBands(RedCurve(PosterizeAll, 3), {{0, 84, 0}, {85, 169, 127}, {170, 255, 255}});
    ExpectBands(RedCurve(PosterizeAll, 4),
                {{0, 63, 0}, {64, 127, 85}, {128, 191, 170}, {192, 255, 255}});
    ExpectBands(RedCurve(PosterizeAll, 5),
                {{0, 50, 0}, {51, 101, 63}, {102, 152, 127}, {153, 203, 191}, {204, 255, 255}});
    ExpectBands(RedCurve(PosterizeAll, 26), {{0, 8, 0}, {9, 18, 10}, {246, 255, 254}});
    ExpectBands(RedCurve(PosterizeAll, 49), {{250, 255, 255}});
    EXPECT_EQ(249, RedCurve(PosterizeAll, 49)[249]);
    // With 98 levels the band of level 49 starts at 127, not 128.
    const std::vector<int32_t> fine = RedCurve(PosterizeAll, 98);
    EXPECT_EQ(126, fine[126]);
    EXPECT_EQ(128, fine[127]);
    const std::vector<int32_t> all = RedCurve(PosterizeAll, 256);
    for (int32_t v = 0; v < 256; ++v)
        EXPECT_EQ(v, all[v]);
}

TEST(Posterize, OnlyTheReducedChannelChangesAndBadCountsAreRefused) {
    CImage image = RowOf({0x7F8081, 0x80FF01});
    ASSERT_TRUE(Posterize(image, 2, 256, 256));
    EXPECT_EQ(0x008081u, image.GetPixel(0, 0));
    EXPECT_EQ(0xFFFF01u, image.GetPixel(1, 0));

    const CImage before = image;
    EXPECT_FALSE(Posterize(image, 1, 4, 4));
    EXPECT_FALSE(Posterize(image, 4, 257, 4));
    EXPECT_FALSE(Posterize(image, 4, 4, -3));
    EXPECT_EQ("", DescribeDifference(before, image, true));
}
