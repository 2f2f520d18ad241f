#include <gtest/gtest.h>

#include "formats/PackedDib.h"
#include "tests/formats/FileHelpers.h"
#include "tests/formats/Reference.h"
#include "tests/support/TestImages.h"

namespace {

Bytes InfoHeader(int32_t w, int32_t h, uint16_t bits = 24, uint32_t size = 40) {
    Bytes b(40, 0);
    Put32(b, 0, size);
    Put32(b, 4, uint32_t(w));
    Put32(b, 8, uint32_t(h));
    Put16(b, 12, 1);
    Put16(b, 14, bits);
    return b;
}

bool Decode(CImage& image, const Bytes& data) {
    return DecodePackedDib(image, data.data(), data.size());
}

TEST(PackedDib, CopyAndPasteMatchThePlainLayoutOnEveryTestImage) {
    ForEachTestImage([](CImage& image, const std::string& what) {
        std::vector<uint8_t> packed;
        ASSERT_TRUE(EncodePackedDib(image, packed)) << what;
        Bytes expected = InfoHeader(image.Width(), image.Height());
        const Bytes rows = ReferenceDibRows(image);
        expected.insert(expected.end(), rows.begin(), rows.end());
        ASSERT_EQ(packed, expected) << what;

        CImage pasted;
        ASSERT_TRUE(Decode(pasted, packed)) << what;
        EXPECT_EQ(
            DescribeDifference(ReferenceImageFromRows(rows.data(), image.Width(), image.Height()),
                               pasted, true),
            "")
            << what;
    });

    CImage one;
    one.Create(1, 1);
    one.SetPixel(0, 0, 0x00ABCDEF);
    std::vector<uint8_t> packed;
    ASSERT_TRUE(EncodePackedDib(one, packed));
    ASSERT_EQ(packed.size(), 44u);
    EXPECT_EQ(Bytes(packed.begin() + 40, packed.end()), (Bytes{0xEF, 0xCD, 0xAB, 0}));
}

TEST(PackedDib, RowsStartAfterTheStatedHeaderSize) {
    const CImage image = MakeImage(3, 2, Pattern::Random, 4);
    Bytes data = InfoHeader(3, 2, 24, 124);
    data.resize(124, 0x5A); // a longer header's fields, not pixels
    const Bytes rows = ReferenceDibRows(image);
    data.insert(data.end(), rows.begin(), rows.end());
    CImage pasted;
    ASSERT_TRUE(Decode(pasted, data));
    EXPECT_EQ(DescribeDifference(image, pasted), "");
}

TEST(PackedDib, RefusedBitmapsLeaveTheImageAsItWas) {
    auto sized = [](Bytes header, size_t total) {
        header.resize(total, 0);
        return header;
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"39 bytes", sized(InfoHeader(0, 0), 39)},
        {"5 x 2 in 71 bytes", sized(InfoHeader(5, 2), 71)},
        {"32 bits", sized(InfoHeader(1, 1, 32), 44)},
        {"8 bits", sized(InfoHeader(1, 1, 8), 1100)},
        {"top-down", sized(InfoHeader(1, -1), 44)},
        {"negative width", sized(InfoHeader(-1, 1), 44)},
        {"header size past the end", sized(InfoHeader(1, 1, 24, 0xFFFFFFFFu), 44)},
        {"size wraps 32 bits", sized(InfoHeader(0x10000, 0x10000), 44)},
        {"absurd width, no rows", sized(InfoHeader(0x7FFFFFFF, 0), 44)},
    };
    for (const auto& [what, data] : cases) {
        CImage image = MakeImage(2, 3, Pattern::Random, 6);
        const CImage before = image;
        EXPECT_FALSE(Decode(image, data)) << what;
        EXPECT_EQ(DescribeDifference(before, image, true), "") << what;
    }
    CImage image;
    EXPECT_TRUE(Decode(image, sized(InfoHeader(5, 2), 72)));
    EXPECT_FALSE(DecodePackedDib(image, nullptr, 0));
}

} // namespace
