#include <gtest/gtest.h>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

TEST(ParameterlessColour, MatchDefinitionOnTestImages) {
    EXPECT_EQ("", CompareOnTestImages([](CImage& i) { ConvertToGray(i); },
                                      [](CImage& i) { reference::ConvertToGray(i); }));
    EXPECT_EQ("", CompareOnTestImages([](CImage& i) { InvertColors(i); },
                                      [](CImage& i) { reference::InvertColors(i); }));
    EXPECT_EQ("", CompareOnTestImages([](CImage& i) { ReduceTo216Colors(i); },
                                      [](CImage& i) { reference::ReduceTo216Colors(i); }));
}

TEST(ParameterlessColour, GreyLevelsOfPrimariesAndTheDriftingGrey) {
    CImage image = RowOf({0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0x030303});
    ConvertToGray(image);
    const uint32_t once[] = {255, 76, 149, 29, 127, 3};
    for (int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(once[x] * 0x010101u, image.GetPixel(x, 0)) << x;
    // 128 drifts to 127, then to 126, where it stays.
    ConvertToGray(image);
    EXPECT_EQ(126u, image.GetR(4, 0));
    ConvertToGray(image);
    EXPECT_EQ(126u, image.GetR(4, 0));
}

TEST(ParameterlessColour, InversionTwiceRestoresEveryWordWithItsReservedBits) {
    CImage image = RowOf({0xAB123456, 0x00000000, 0xFFFFFFFF});
    InvertColors(image);
    EXPECT_EQ(0xABEDCBA9u, image.GetPixel(0, 0));
    InvertColors(image);
    EXPECT_EQ(0xAB123456u, image.GetPixel(0, 0));
    EXPECT_EQ(0xFFFFFFFFu, image.GetPixel(2, 0));
}

TEST(ParameterlessColour, ReductionBandsAndFixedLevels) {
    CImage image = RowOf({0x19191A, 0xE5E5E6, 0x003399, 0xCCFF66});
    ReduceTo216Colors(image);
    EXPECT_EQ(0x000033u, image.GetPixel(0, 0)); // 25 -> 0, 26 -> 51
    EXPECT_EQ(0xCCCCFFu, image.GetPixel(1, 0)); // 229 -> 204, 230 -> 255
    EXPECT_EQ(0x003399u, image.GetPixel(2, 0)); // multiples of 51 stay
    EXPECT_EQ(0xCCFF66u, image.GetPixel(3, 0));
}
