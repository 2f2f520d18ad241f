#include <gtest/gtest.h>

#include <limits>

#include "ops/filters/FilterOps.h"
#include "tests/ops/filters/NeighbourhoodReference.h"
#include "tests/support/TestImages.h"

namespace {

FilterKernel Kernel(std::initializer_list<double> k, double addend, double divisor) {
    FilterKernel kernel;
    int i = 0;
    for (double v : k)
        kernel.coefficients[i++] = v;
    kernel.addend = addend;
    kernel.divisor = divisor;
    return kernel;
}

TEST(Filter3x3, MatchesDefinitionForAcceptedDivisors) {
    const FilterKernel kernels[] = {
        Kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 0, 1),
        Kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 255, -1),
        Kernel({1, 2, 1, 2, 4, 2, 1, 2, 1}, 0, 16),
        Kernel({-1, -1, -1, -1, 9, -1, -1, -1, -1}, 0.5, 1),
        Kernel({0.3, -1.7, 2.2, 0.1, 5.5, -0.9, 1.3, 0.7, -2.4}, -3.25, 999),
        Kernel({0.3, -1.7, 2.2, 0.1, 5.5, -0.9, 1.3, 0.7, -2.4}, 17.75, 0.37),
        Kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 0, 9), // averages: many quotients land on whole numbers
        Kernel({1, 0, -1, 2, 0, -2, 1, 0, -1}, 128, -3),
    };
    for (const FilterKernel& kernel : kernels)
        ForEachTestImage([&](CImage& image, const std::string& what) {
            CImage expected(image);
            ASSERT_TRUE(reference::ApplyFilter3x3(expected, kernel));
            ASSERT_TRUE(image.ApplyFilter3x3(kernel));
            ASSERT_EQ("", DescribeDifference(expected, image, true))
                << what << ", addend " << kernel.addend << ", divisor " << kernel.divisor;
        });
}

TEST(Filter3x3, RefusesZeroLargeAndNaNDivisorsWithoutChange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double divisor : {0.0, -0.0, 999.5, 1000.0, 1e300, nan}) {
        CImage image = MakeImage(9, 7, Pattern::Random, 3);
        const CImage before(image);
        EXPECT_FALSE(image.ApplyFilter3x3(Kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 0, divisor)))
            << divisor;
        EXPECT_EQ("", DescribeDifference(before, image, true)) << divisor;
    }
    CImage image = MakeImage(9, 7, Pattern::Random, 4);
    EXPECT_TRUE(image.ApplyFilter3x3(Kernel({}, 0, 999)));
    EXPECT_TRUE(image.ApplyFilter3x3(Kernel({}, 0, -1e9)));
}

TEST(Filter3x3, ImagesWithoutInnerPixelsPassUnchanged) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 9}, {9, 2}, {1, 5}}) {
        CImage image = MakeImage(w, h, Pattern::Random, 5);
        const CImage before(image);
        EXPECT_TRUE(image.ApplyFilter3x3(Kernel({0, 0, 0, 0, 0, 0, 0, 0, 0}, 77, 1)));
        EXPECT_EQ("", DescribeDifference(before, image, true));
    }
}

TEST(Filter3x3, InvertingKernelKeepsTheBorder) {
    CImage image = MakeImage(6, 5, Pattern::Random, 6);
    const CImage before(image);
    ASSERT_TRUE(image.ApplyFilter3x3(Kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 255, -1)));
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 6; ++x) {
            const bool border = x == 0 || y == 0 || x == 5 || y == 4;
            EXPECT_EQ(border ? before.GetPixel(x, y) : before.GetPixel(x, y) ^ 0xFFFFFFu,
                      image.GetPixel(x, y))
                << x << "," << y;
        }
}

TEST(Filter3x3, KernelRowsRunFromTheRowBelow) {
    // Entry 0 weighs the lower-left neighbour (row y - 1, since row 0 is the bottom).
    CImage image = Filled(3, 3, 0);
    image.SetPixel(0, 0, 0x00402010);
    ASSERT_TRUE(image.ApplyFilter3x3(Kernel({1, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 1)));
    EXPECT_EQ(0x00402010u, image.GetPixel(1, 1));
    image.SetPixel(1, 1, 0);
    image.SetPixel(0, 2, 0x00080808);
    ASSERT_TRUE(image.ApplyFilter3x3(Kernel({0, 0, 0, 0, 0, 0, 2, 0, 0}, 0, 1)));
    EXPECT_EQ(0x00101010u, image.GetPixel(1, 1));
}

TEST(Filter3x3, UndefinedSumsGiveZeroAndKeepReservedBitsClear) {
    // inf - inf is not a number; the pixel becomes 0 rather than a stray word.
    CImage image = Filled(3, 3, 0x00FFFFFF);
    const double inf = std::numeric_limits<double>::infinity();
    ASSERT_TRUE(image.ApplyFilter3x3(Kernel({inf, -inf, 0, 0, 0, 0, 0, 0, 0}, 0, 1)));
    EXPECT_EQ(0u, image.GetPixel(1, 1));
}

TEST(Emboss, MatchesDefinitionAndMapsFlatAreasToMidGrey) {
    ForEachTestImage([](CImage& image, const std::string& what) {
        CImage expected(image);
        reference::Emboss(expected);
        Emboss(image);
        ASSERT_EQ("", DescribeDifference(expected, image, true)) << what;
    });
    CImage image = Filled(4, 4, 0x00FF0000); // luminance 76
    Emboss(image);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            const bool border = x == 0 || y == 0 || x == 3 || y == 3;
            EXPECT_EQ(border ? 0x004C4C4Cu : 0x00808080u, image.GetPixel(x, y)) << x << "," << y;
        }
}

} // namespace
