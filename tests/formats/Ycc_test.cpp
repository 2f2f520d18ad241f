#include <gtest/gtest.h>

#include <climits>

#include "formats/ImageFiles.h"
#include "tests/formats/FileHelpers.h"
#include "tests/formats/Reference.h"
#include "tests/support/TestImages.h"

namespace {

Bytes Encode(CImage& image) {
    ByteBlock block;
    EXPECT_TRUE(EncodeYcc(image, block));
    return Bytes(block.data.get(), block.data.get() + block.size);
}

bool Decode(CImage& image, const Bytes& file) {
    return DecodeYcc(image, file.data(), file.size());
}

TEST(Ycc, WriterAndReaderMatchThePlainLayoutOnEveryTestImage) {
    ForEachTestImage([](CImage& image, const std::string& what) {
        CImage copy = image;
        const Bytes file = Encode(image);
        ASSERT_EQ(file, ReferenceYcc(copy)) << what;
        CImage read;
        ASSERT_TRUE(Decode(read, file)) << what;
        EXPECT_EQ(DescribeDifference(ReferenceImageFromYcc(file, 16), read, true), "") << what;
    });
}

TEST(Ycc, SmallFilesAreLaidOutExactly) {
    CImage image;
    image.Create(2, 1);
    image.SetPixel(0, 0, 0xFF0000);
    image.SetPixel(1, 0, 0xFFFFFF);
    const Bytes expected = {0x59, 0x43, 0, 8, 16, 0,    0,    0,    2,    0,    0,
                            0,    1,    0, 0, 0,  0x4C, 0xFF, 0x55, 0xFF, 0x80, 0x80};
    EXPECT_EQ(Encode(image), expected);

    // Red comes back one level darker: the conversion truncates.
    CImage back;
    ASSERT_TRUE(Decode(back, expected));
    EXPECT_EQ(back.GetPixel(0, 0), 0xFE0000u);
    EXPECT_EQ(back.GetPixel(1, 0), 0xFFFFFFu);

    // The top row (row 1) is written first.
    CImage tall;
    tall.Create(1, 2);
    tall.SetPixel(0, 1, 0xFFFFFF);
    const Bytes tallFile = Encode(tall);
    ASSERT_EQ(tallFile.size(), 22u);
    EXPECT_EQ(Bytes(tallFile.begin() + 16, tallFile.end()),
              (Bytes{0xFF, 0x80, 0x80, 0x00, 0x80, 0x80}));
}

TEST(Ycc, ReaderTakesTheSamplesFromTheStatedOffset) {
    CImage image = MakeImage(5, 4, Pattern::Random, 5);
    const Bytes plain = Encode(image);
    Bytes spaced = plain;
    spaced.insert(spaced.begin() + 16, 16, 0xEE);
    Put32(spaced, 4, 32);
    spaced.push_back(0x77); // bytes after the samples are ignored
    CImage a, b;
    ASSERT_TRUE(Decode(a, plain));
    ASSERT_TRUE(Decode(b, spaced));
    EXPECT_EQ(DescribeDifference(a, b, true), "");

    Bytes empty = {0x59, 0x43, 0, 8, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CImage none;
    ASSERT_TRUE(Decode(none, empty));
    EXPECT_EQ(none.Width(), 0);
    EXPECT_EQ(none.Height(), 0);
}

TEST(Ycc, RefusedFilesLeaveTheImageAsItWas) {
    const Bytes header = {0x59, 0x43, 0, 8, 16, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    auto with = [&](auto change) {
        Bytes b = header;
        change(b);
        return b;
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"15 bytes", Bytes(header.begin(), header.end() - 1)},
        {"1 x 1 without samples", header},
        {"fourth signature byte 09", with([](Bytes& b) {
             b[3] = 9;
             b.resize(19);
         })},
        {"second signature byte", with([](Bytes& b) {
             b[1] = 'c';
             b.resize(19);
         })},
        {"negative width", with([](Bytes& b) { Put32(b, 8, uint32_t(-1)); })},
        {"negative height", with([](Bytes& b) { Put32(b, 12, 0x80000000u); })},
        {"offset 0xFFFFFFFF", with([](Bytes& b) {
             Put32(b, 4, 0xFFFFFFFFu);
             b.resize(19);
         })},
        // 3 x 65536 x 65536 + 16 is 16 in 32 bits.
        {"size wraps 32 bits", with([](Bytes& b) {
             Put32(b, 8, 0x10000);
             Put32(b, 12, 0x10000);
         })},
        {"absurd width, no rows", with([](Bytes& b) {
             Put32(b, 8, INT32_MAX);
             Put32(b, 12, 0);
         })},
    };
    for (const auto& [what, file] : cases) {
        CImage image = MakeImage(3, 2, Pattern::Random, 8);
        const CImage before = image;
        EXPECT_FALSE(Decode(image, file)) << what;
        EXPECT_EQ(DescribeDifference(before, image, true), "") << what;
    }
}

TEST(Ycc, FilesOnDisk) {
    TempFolder folder;
    CImage image = MakeImage(6, 3, Pattern::Random, 2);
    CImage copy = image;
    ASSERT_TRUE(WriteYcc(image, folder.Path("a.ycc").c_str()));
    EXPECT_EQ(GetFile(folder.Path("a.ycc")), ReferenceYcc(copy));
    CImage back;
    ASSERT_TRUE(ReadYcc(back, folder.Path("a.ycc").c_str()));
    EXPECT_EQ(DescribeDifference(ReferenceImageFromYcc(GetFile(folder.Path("a.ycc")), 16), back),
              "");
    EXPECT_FALSE(ReadYcc(back, folder.Path("missing.ycc").c_str()));
}

TEST(Ycc, LargeFilesAreReadAndWrittenInPieces) {
    // 1.2 MiB of samples: more than one piece, the last one short.
    TempFolder folder;
    const std::string path = folder.Path("big.ycc");
    CImage image = MakeImage(701, 600, Pattern::Random, 5);
    CImage copy = image;
    ASSERT_TRUE(WriteYcc(image, path.c_str()));
    const Bytes file = GetFile(path);
    EXPECT_EQ(file, ReferenceYcc(copy));
    CImage back;
    ASSERT_TRUE(ReadYcc(back, path.c_str()));
    EXPECT_EQ(DescribeDifference(ReferenceImageFromYcc(file, 16), back, true), "");
}

} // namespace
