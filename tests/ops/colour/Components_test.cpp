#include <gtest/gtest.h>

#include "ops/colour/ColourOps.h"
#include "tests/ops/colour/Reference.h"

namespace {

const int32_t kOffsets[] = {-64, -1, 0, 1, 37, 64, INT32_MIN, INT32_MAX};

} // namespace

TEST(ComponentAdjustment, SingleComponentsMatchDefinition) {
    using Op = void (*)(CImage&, int32_t);
    const Op shipped[] = {AdjustR, AdjustG, AdjustB, AdjustY, AdjustCr, AdjustCb};
    const Op expected[] = {reference::AdjustR, reference::AdjustG,  reference::AdjustB,
                           reference::AdjustY, reference::AdjustCr, reference::AdjustCb};
    for (int op = 0; op < 6; ++op)
        for (int32_t offset : kOffsets)
            EXPECT_EQ("", CompareOnTestImages([&](CImage& i) { shipped[op](i, offset); },
                                              [&](CImage& i) { expected[op](i, offset); }))
                << "operation " << op << " offset " << offset;
}

TEST(ComponentAdjustment, OffsetsInBothModelsMatchDefinition) {
    const int32_t sets[][3] = {{0, 0, 0}, {-64, 64, 5}, {64, -64, -64}, {12, 0, -7}};
    for (bool ycc : {false, true})
        for (const auto& s : sets)
            EXPECT_EQ(
                "",
                CompareOnTestImages(
                    [&](CImage& i) {
                        ApplyComponentOffsets(i, ycc ? ColourModel::YCrCb : ColourModel::Rgb, s[0],
                                              s[1], s[2]);
                    },
                    [&](CImage& i) { reference::ApplyComponentOffsets(i, ycc, s[0], s[1], s[2]); }))
                << (ycc ? "YCrCb " : "RGB ") << s[0] << "," << s[1] << "," << s[2];
}

TEST(ComponentAdjustment, SaturatesAndZeroOffsetsStillRoundTripInYCrCb) {
    CImage image = RowOf({0x0AFA80, 0xFF0000});
    const CImage before = image;
    ApplyComponentOffsets(image, ColourModel::Rgb, 0, 0, 0);
    EXPECT_EQ("", DescribeDifference(before, image, true));
    ApplyComponentOffsets(image, ColourModel::Rgb, -64, 64, 0);
    EXPECT_EQ(0x00FF80u, image.GetPixel(0, 0)); // R 10 - 64 -> 0, G 250 + 64 -> 255

    CImage red = RowOf({0xFF0000});
    ApplyComponentOffsets(red, ColourModel::YCrCb, 0, 0, 0);
    EXPECT_EQ(0xFE0000u, red.GetPixel(0, 0));
    EXPECT_EQ(0x4CFF55u, red.GetAux(0, 0)); // the auxiliary plane keeps Y, Cr, Cb
}
