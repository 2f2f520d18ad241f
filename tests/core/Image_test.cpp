#include <gtest/gtest.h>

#include <cstring>

#include "core/Image.h"

namespace {

uint32_t Le32(const void* p, size_t offset) {
    const auto* b = static_cast<const uint8_t*>(p) + offset;
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void ExpectHeader(const CImage& im) {
    EXPECT_EQ(Le32(im.Header(), 0), 40u);
    EXPECT_EQ(int32_t(Le32(im.Header(), 4)), im.Width());
    EXPECT_EQ(int32_t(Le32(im.Header(), 8)), im.Height());
    EXPECT_EQ(Le32(im.Header(), 12), 1u | 32u << 16); // planes 1, 32 bits
    EXPECT_EQ(Le32(im.Header(), 16), 0u);             // BI_RGB
    for (size_t o = 20; o < 44; o += 4) EXPECT_EQ(Le32(im.Header(), o), 0u) << o;
    EXPECT_EQ(reinterpret_cast<uint8_t*>(im.Bits()), static_cast<uint8_t*>(im.Header()) + 44);
    EXPECT_EQ(im.AuxBits(), im.Bits() + im.PixelCount());
}

} // namespace

TEST(Image, NewImageIsBlack128Square) {
    CImage im;
    EXPECT_EQ(im.Width(), 128);
    EXPECT_EQ(im.Height(), 128);
    ExpectHeader(im);
    EXPECT_EQ(im.CountColors(), 1);
    for (size_t i = 0; i < 2 * im.PixelCount(); ++i) ASSERT_EQ(im.Bits()[i], 0u);
}

TEST(Image, CreateSizesAndRefusals) {
    CImage im;
    im.SetPixel(3, 4, 0x123456);
    EXPECT_FALSE(im.Create(-1, 10));
    EXPECT_FALSE(im.Create(10, -1));
    EXPECT_EQ(im.Width(), 128);
    EXPECT_EQ(im.GetPixel(3, 4), 0x123456u) << "a refused size changes nothing";

    // A block of 44 + 8 * w * h bytes cannot exist for these sizes.
    EXPECT_FALSE(im.Create(INT32_MAX, INT32_MAX));
    EXPECT_EQ(CImage::BlockSize(INT32_MAX, INT32_MAX), 0u) << "8 * w * h overflows 64 bits";
    EXPECT_EQ(CImage::BlockSize(65536, 65536), 44 + (uint64_t(8) << 32));
    EXPECT_EQ(CImage::BlockSize(-1, 1), 0u);
    EXPECT_EQ(im.GetPixel(3, 4), 0x123456u) << "a failed allocation changes nothing";

    im.AuxBits()[7] = 99;
    EXPECT_TRUE(im.Create(128, 128)) << "same size clears";
    EXPECT_EQ(im.GetPixel(3, 4), 0u);
    EXPECT_EQ(im.GetAux(7, 0), 0u);

    EXPECT_TRUE(im.Create(7, 3));
    ExpectHeader(im);
    EXPECT_TRUE(im.Create(0, 0));
    ExpectHeader(im);
    EXPECT_EQ(im.GetPixel(0, 0), 0u);
    EXPECT_FALSE(im.SetR(0, 0, 1));
    EXPECT_EQ(im.CountColors(), 0);
    EXPECT_TRUE(im.Create(0, 9));
    EXPECT_EQ(im.Height(), 9);
    EXPECT_EQ(im.CountColors(), 0);
}

TEST(Image, ChannelAccessorsClampAndKeepTheOtherBytes) {
    CImage im;
    ASSERT_TRUE(im.Create(4, 3));
    EXPECT_TRUE(im.SetPixel(1, 2, 0xFF123456));
    EXPECT_EQ(im.GetPixel(1, 2), 0xFF123456u) << "SetPixel stores the word unchanged";
    EXPECT_TRUE(im.SetG(1, 2, 0x99));
    EXPECT_EQ(im.GetPixel(1, 2), 0x00129956u) << "setters clear bits 24-31";

    EXPECT_TRUE(im.SetR(0, 0, 300));
    EXPECT_TRUE(im.SetB(0, 0, -5));
    EXPECT_EQ(im.GetR(0, 0), 255);
    EXPECT_EQ(im.GetB(0, 0), 0);
    EXPECT_FALSE(im.SetG(4, 0, 10));
    EXPECT_FALSE(im.SetG(0, 3, 10));
    EXPECT_FALSE(im.SetPixel(-1, 0, 1));
    EXPECT_EQ(im.GetR(-1, 0), 0);
    EXPECT_EQ(im.GetPixel(4, 0), 0u);
    EXPECT_EQ(im.GetAux(0, 3), 0u);

    EXPECT_TRUE(im.SetY(2, 1, 1000));
    EXPECT_TRUE(im.SetCr(2, 1, 17));
    EXPECT_TRUE(im.SetCb(2, 1, -1));
    EXPECT_EQ(im.GetAux(2, 1), 0x00FF1100u);
    EXPECT_EQ(im.GetY(2, 1), 255);
    EXPECT_EQ(im.GetCr(2, 1), 17);
    EXPECT_EQ(im.GetPixel(2, 1), 0u) << "the auxiliary plane is separate";
    EXPECT_FALSE(im.SetCb(2, -1, 5));
}

TEST(Image, LuminanceIsTheTruncatedDoubleSum) {
    CImage im;
    ASSERT_TRUE(im.Create(1, 1));
    const struct {
        uint32_t colour;
        int luminance;
    } cases[] = {{0x123456, 45}, {0x010101, 0}, {0x808080, 127}, {0x030303, 3},
                 {0xFFFFFF, 255}, {0xFF0000, 76}, {0x00FF00, 149}, {0x0000FF, 29}};
    for (auto c : cases) {
        im.SetPixel(0, 0, c.colour);
        EXPECT_EQ(im.GetLuminance(0, 0), c.luminance) << std::hex << c.colour;
    }
    EXPECT_EQ(im.GetLuminance(1, 0), 0);

    // Exactly 65 grey levels lose one step.
    int dropped = 0;
    for (uint32_t v = 0; v < 256; ++v) {
        im.SetPixel(0, 0, v * 0x010101);
        const int l = im.GetLuminance(0, 0);
        ASSERT_TRUE(l == int(v) || l == int(v) - 1) << v;
        dropped += l != int(v);
    }
    EXPECT_EQ(dropped, 65);
}

TEST(Image, CopiesAreExactAndIndependent) {
    CImage a;
    ASSERT_TRUE(a.Create(5, 2));
    for (int i = 0; i < 10; ++i) {
        a.Bits()[i] = 0x010203u * i;
        a.AuxBits()[i] = 0xABCDEFu - i;
    }
    CImage b(a);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(0, memcmp(a.Header(), b.Header(), 44 + 8 * 10));
    b.SetR(0, 0, 9);
    EXPECT_EQ(a.GetR(0, 0), 0) << "copies share nothing";

    CImage c;
    c = a;
    EXPECT_EQ(0, memcmp(a.Header(), c.Header(), 44 + 8 * 10));
    CImage& same = c; // self-assignment through a reference, as callers reach it
    c = same;
    EXPECT_EQ(c.Width(), 5);
    EXPECT_TRUE(c.CopyFrom(&c));
    EXPECT_FALSE(c.CopyFrom(nullptr));
    EXPECT_EQ(c.GetPixel(1, 0), 0x010203u);

    CImage other;
    ASSERT_TRUE(other.Create(5, 2));
    other.Bits()[3] = 0x77;
    other.AuxBits()[3] = 0x55;
    EXPECT_TRUE(c.CopyColorsFrom(&other));
    EXPECT_EQ(c.Bits()[3], 0x77u);
    EXPECT_EQ(c.AuxBits()[3], 0xABCDEFu - 3) << "auxiliary plane untouched";
    CImage wrong;
    ASSERT_TRUE(wrong.Create(2, 5));
    EXPECT_FALSE(c.CopyColorsFrom(&wrong));
    EXPECT_FALSE(c.CopyColorsFrom(nullptr));
    EXPECT_EQ(c.Bits()[3], 0x77u);

    CImage d;
    d.Swap(c);
    EXPECT_EQ(d.Width(), 5);
    EXPECT_EQ(c.Width(), 128);
    ExpectHeader(d);
}

TEST(Image, CountColorsAndReservedBytes) {
    CImage im;
    ASSERT_TRUE(im.Create(3, 3));
    im.SetPixel(0, 0, 0xFFFFFF);
    EXPECT_EQ(im.CountColors(), 2);
    im.SetPixel(1, 1, 0xFF000000u | 0xFFFFFF);
    im.SetPixel(2, 2, 0x7F000001u);
    EXPECT_EQ(im.CountColors(), 3) << "only the low 24 bits count";
    EXPECT_TRUE(im.ClearReservedBytes());
    EXPECT_EQ(im.GetPixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(im.GetPixel(2, 2), 1u);

    CImage all;
    ASSERT_TRUE(all.Create(4096, 4096));
    for (uint32_t v = 0; v < (1u << 24); ++v) all.Bits()[v] = v;
    EXPECT_EQ(all.CountColors(), 1 << 24);
}
