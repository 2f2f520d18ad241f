#include <gtest/gtest.h>

#include <limits>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

namespace {

struct Matrix {
    double m[12];
};

uint32_t Converted(uint32_t word, const Matrix& matrix) {
    CImage image = RowOf({word});
    EXPECT_TRUE(ConvertRgb(image, matrix.m));
    return image.GetPixel(0, 0);
}

} // namespace

TEST(RgbConversion, MatchesDefinitionOnTestImages) {
    const Matrix matrices[] = {
        {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}},
        {{0.333, 0.333, 0.333, 0, 0.299, 0.587, 0.114, 0, -0.5, 1.5, 0.25, 10.7}},
        {{0.1, 0.7, 0.2, -3.3, 1.1, -0.1, 0.05, 2.5, 0.35, 0.35, 0.3, 0.999}},
        {{-1, 0, 0, 255, 2.5, -1.25, 0.125, -17, 0, 0, 0, 300}},
        {{1e10, 0, 0, -1e12, 0, -1e300, 0, 1e300, 0, 0, 1e-300, 0.5}},
    };
    for (const Matrix& matrix : matrices)
        EXPECT_EQ("", CompareOnTestImages([&](CImage& i) { ConvertRgb(i, matrix.m); },
                                          [&](CImage& i) { reference::ConvertRgb(i, matrix.m); }));
}

TEST(RgbConversion, DocumentedValues) {
    EXPECT_EQ(0u, Converted(0xFFFFFF, Matrix{}));
    const Matrix rotate = {{0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0}};
    EXPECT_EQ(0x345612u, Converted(0x123456, rotate));
    const Matrix forceRed = {{0, 0, 0, 300, 0, 1, 0, 0, 0, 0, 1, 0}};
    EXPECT_EQ(0xFF3456u, Converted(0x123456, forceRed));
    const Matrix invertRed = {{-1, 0, 0, 255, 0, 1, 0, 0, 0, 0, 1, 0}};
    EXPECT_EQ(0xED3456u, Converted(0x123456, invertRed));
    const Matrix half = {{0.5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}};
    EXPECT_EQ(0x7F0000u, Converted(0xFF0000, half));
    const Matrix thirds = {
        {0.333, 0.333, 0.333, 0, 0.333, 0.333, 0.333, 0, 0.333, 0.333, 0.333, 0}};
    EXPECT_EQ(0xFEFEFEu, Converted(0xFFFFFF, thirds));
}

TEST(RgbConversion, ValuesBeyondTheIntRangeSaturateInsteadOfWrapping) {
    const double inf = std::numeric_limits<double>::infinity();
    const Matrix huge = {{0, 0, 0, 3e9, 0, 0, 0, -3e9, 1e308, -1e308, 0, 0}};
    // Blue: 1e308 x 255 is infinite, minus infinity is NaN, which counts as 0.
    EXPECT_EQ(0xFF0000u, Converted(0xFFFFFF, huge));
    const Matrix infinite = {{0, 0, 0, inf, 0, 0, 0, -inf, 0, 0, 0, 0}};
    EXPECT_EQ(0xFF0000u, Converted(0x000000, infinite));
}
