#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/Image.h"

namespace {

// The conversions as defined, one pixel at a time through the accessors.
void ReferenceRgbToYcc(CImage& im) {
    for (int32_t y = 0; y < im.Height(); ++y)
        for (int32_t x = 0; x < im.Width(); ++x) {
            const int32_t r = im.GetR(x, y), g = im.GetG(x, y), b = im.GetB(x, y);
            int32_t yy = int32_t((g * 0.587 + r * 0.299) + b * 0.114);
            if (yy > 255) yy = 255;
            int32_t cr = 128 - int32_t((g * 0.419 - r * 0.5) + b * 0.081);
            cr = cr < 0 ? 0 : (cr > 255 ? 255 : cr);
            int32_t cb = 128 - int32_t((r * 0.169 + g * 0.331) - b * 0.5);
            cb = cb < 0 ? 0 : (cb > 255 ? 255 : cb);
            im.SetY(x, y, yy);
            im.SetCr(x, y, cr);
            im.SetCb(x, y, cb);
        }
}

void ReferenceYccToRgb(CImage& im) {
    for (int32_t y = 0; y < im.Height(); ++y)
        for (int32_t x = 0; x < im.Width(); ++x) {
            const int32_t yy = im.GetY(x, y);
            const int32_t e = im.GetCr(x, y) - 128, f = im.GetCb(x, y) - 128;
            im.SetR(x, y, int32_t(yy + e * 1.402));
            im.SetG(x, y, int32_t((yy - e * 0.714) - f * 0.344));
            im.SetB(x, y, int32_t(yy + f * 1.772));
        }
}

// A 4096 x 4096 image holding every 24-bit colour once.
CImage AllColours() {
    CImage im;
    EXPECT_TRUE(im.Create(4096, 4096));
    uint32_t* p = im.Bits();
    for (uint32_t v = 0; v < (1u << 24); ++v) p[v] = v;
    return im;
}

struct Row {
    int r, g, b, y, cr, cb, r2, g2, b2;
};

} // namespace

TEST(ColourSpace, DocumentedValues) {
    const Row rows[] = {
        {0, 0, 0, 0, 128, 128, 0, 0, 0},         {255, 255, 255, 255, 128, 128, 255, 255, 255},
        {128, 128, 128, 127, 128, 128, 127, 127, 127}, {255, 0, 0, 76, 255, 85, 254, 0, 0},
        {0, 255, 0, 149, 22, 44, 0, 253, 0},     {0, 0, 255, 29, 108, 255, 0, 0, 254},
        {255, 255, 0, 225, 148, 1, 253, 254, 0}, {10, 200, 30, 123, 47, 76, 9, 198, 30},
    };
    CImage im;
    ASSERT_TRUE(im.Create(1, 1));
    for (const Row& t : rows) {
        SCOPED_TRACE(testing::Message() << t.r << "," << t.g << "," << t.b);
        im.SetPixel(0, 0, uint32_t(t.r << 16 | t.g << 8 | t.b));
        im.RgbToYcc();
        EXPECT_EQ(im.GetY(0, 0), t.y);
        EXPECT_EQ(im.GetCr(0, 0), t.cr);
        EXPECT_EQ(im.GetCb(0, 0), t.cb);
        EXPECT_EQ(im.GetPixel(0, 0), uint32_t(t.r << 16 | t.g << 8 | t.b)) << "colour plane kept";
        im.YccToRgb();
        EXPECT_EQ(im.GetR(0, 0), t.r2);
        EXPECT_EQ(im.GetG(0, 0), t.g2);
        EXPECT_EQ(im.GetB(0, 0), t.b2);
    }
    // Out-of-range intermediates are clamped after truncation.
    im.GetAux(0, 0);
    im.AuxBits()[0] = 0x00FFFF;
    im.YccToRgb();
    EXPECT_EQ(im.GetPixel(0, 0), 0xB200E1u); // 178, 0, 225
    im.AuxBits()[0] = 0xFF0000;
    im.YccToRgb();
    EXPECT_EQ(im.GetPixel(0, 0), 0x4BFF1Cu); // 75, 255, 28
}

TEST(ColourSpace, EveryColourMatchesTheDefinitionAndStaysWithinTheRoundTripBound) {
    CImage fast = AllColours();
    CImage reference = fast;
    fast.RgbToYcc();
    ReferenceRgbToYcc(reference);
    ASSERT_EQ(0, memcmp(fast.AuxBits(), reference.AuxBits(), size_t(4) << 24));

    fast.YccToRgb();
    ReferenceYccToRgb(reference);
    ASSERT_EQ(0, memcmp(fast.Bits(), reference.Bits(), size_t(4) << 24));

    int unchanged = 0, lowest = 0, highest = 0;
    const uint32_t* p = fast.Bits();
    for (uint32_t v = 0; v < (1u << 24); ++v) {
        const uint32_t w = p[v];
        ASSERT_EQ(w >> 24, 0u);
        bool same = true;
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = int((w >> shift) & 0xFF) - int((v >> shift) & 0xFF);
            lowest = std::min(lowest, d);
            highest = std::max(highest, d);
            same = same && d == 0;
        }
        unchanged += same;
    }
    EXPECT_EQ(lowest, -3);
    EXPECT_EQ(highest, 1);
    EXPECT_EQ(unchanged, 192);
}

TEST(ColourSpace, EmptyImageDoesNothing) {
    CImage im;
    ASSERT_TRUE(im.Create(0, 5));
    im.RgbToYcc();
    im.YccToRgb();
    EXPECT_EQ(im.Width(), 0);
}
