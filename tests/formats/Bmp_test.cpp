#include <gtest/gtest.h>

#include <climits>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"
#include "tests/formats/FileHelpers.h"
#include "tests/formats/Reference.h"
#include "tests/support/TestImages.h"

namespace {

Bytes Encode(const CImage& image) {
    ByteBlock block;
    EXPECT_TRUE(EncodeBmp(image, block));
    return Bytes(block.data.get(), block.data.get() + block.size);
}

bool Decode(CImage& image, const Bytes& file) {
    return DecodeBmp(image, file.data(), file.size());
}

// A valid 3 x 2 bottom-up file to spoil in the refusal tests.
Bytes SmallBmp() {
    return ReferenceBmp(MakeImage(3, 2, Pattern::Random, 7));
}

TEST(Bmp, WriterAndReaderMatchThePlainLayoutOnEveryTestImage) {
    ForEachTestImage([](CImage& image, const std::string& what) {
        const Bytes file = Encode(image);
        ASSERT_EQ(file, ReferenceBmp(image)) << what;

        CImage bottomUp, topDown;
        ASSERT_TRUE(Decode(bottomUp, file)) << what;
        ASSERT_TRUE(Decode(topDown, ReferenceTopDownBmp(image))) << what;
        // The colours come back; the auxiliary plane of a read image is zero.
        CImage expected = ReferenceImageFromRows(file.data() + 54, image.Width(), image.Height());
        EXPECT_EQ(DescribeDifference(expected, bottomUp, true), "") << what;
        EXPECT_EQ(DescribeDifference(expected, topDown, true), "") << what << " top-down";
        EXPECT_EQ(DescribeDifference(image, bottomUp), "") << what;
    });
}

TEST(Bmp, SmallestFilesAreLaidOutExactly) {
    CImage one;
    one.Create(1, 1);
    one.SetPixel(0, 0, 0x00123456);
    const Bytes expected = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0,    54,   0,    0, 0,  40,
                            0,   0,   0,  1, 0, 0, 0, 1, 0, 0,    0,    1,    0, 24, 0,
                            0,   0,   0,  0, 0, 0, 0, 0, 0, 0,    0,    0,    0, 0,  0,
                            0,   0,   0,  0, 0, 0, 0, 0, 0, 0x56, 0x34, 0x12, 0};
    EXPECT_EQ(Encode(one), expected);

    CImage empty;
    empty.Create(0, 0);
    const Bytes none = Encode(empty);
    ASSERT_EQ(none.size(), 54u);
    EXPECT_EQ(none[2], 54);
    EXPECT_EQ(Bytes(none.begin() + 18, none.begin() + 26), Bytes(8, 0));
    CImage back; // 128 x 128 until read
    ASSERT_TRUE(Decode(back, none));
    EXPECT_EQ(back.Width(), 0);
    EXPECT_EQ(back.Height(), 0);
}

TEST(Bmp, ReaderLooksOnlyAtItsFields) {
    const CImage image = MakeImage(5, 3, Pattern::Random, 3);
    const Bytes plain = ReferenceBmp(image);

    // The second signature byte, file size, planes, compression and header size
    // are not looked at.
    Bytes odd = plain;
    odd[1] = 'X';
    Put32(odd, 2, 7);
    Put16(odd, 26, 9);
    Put32(odd, 30, 3);
    Put32(odd, 14, 12);
    CImage read;
    ASSERT_TRUE(Decode(read, odd));
    EXPECT_EQ(DescribeDifference(image, read), "");

    // A colour table between the headers and the rows is skipped by the offset;
    // bytes after the rows are ignored.
    Bytes spaced = plain;
    spaced.insert(spaced.begin() + 54, 1024, 0xAB);
    spaced.resize(spaced.size() + 9, 0xCD);
    Put32(spaced, 10, 54 + 1024);
    CImage skipped;
    ASSERT_TRUE(Decode(skipped, spaced));
    EXPECT_EQ(DescribeDifference(image, skipped), "");
}

TEST(Bmp, RefusedFilesLeaveTheImageAsItWas) {
    struct Case {
        const char* what;
        Bytes file;
    };
    auto spoil = [](auto change) {
        Bytes b = SmallBmp();
        change(b);
        return b;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"53 bytes", spoil([](Bytes& b) { b.resize(53); })},
        {"first byte not B", spoil([](Bytes& b) { b[0] = 'b'; })},
        {"1 bit", spoil([](Bytes& b) { Put16(b, 28, 1); })},
        {"8 bits", spoil([](Bytes& b) { Put16(b, 28, 8); })},
        {"16 bits", spoil([](Bytes& b) { Put16(b, 28, 16); })},
        {"32 bits", spoil([](Bytes& b) { Put16(b, 28, 32); })},
        {"negative width", spoil([](Bytes& b) { Put32(b, 18, uint32_t(-3)); })},
        {"height -2147483648", spoil([](Bytes& b) { Put32(b, 22, 0x80000000u); })},
        {"rows cut short", spoil([](Bytes& b) { b.pop_back(); })},
        {"offset past the end", spoil([](Bytes& b) { Put32(b, 10, uint32_t(b.size())); })},
        {"offset 0xFFFFFFFF", spoil([](Bytes& b) { Put32(b, 10, 0xFFFFFFFFu); })},
        // 65536 x 65536 x 3 is 0 in 32 bits: the rows must not be taken as present.
        {"size wraps 32 bits", spoil([](Bytes& b) {
             Put32(b, 18, 0x10000);
             Put32(b, 22, 0x10000);
         })},
        {"width 2^31 - 1", spoil([](Bytes& b) { Put32(b, 18, INT32_MAX); })},
        {"absurd width, no rows", spoil([](Bytes& b) {
             Put32(b, 18, INT32_MAX);
             Put32(b, 22, 0);
         })},
        {"absurd height, no columns", spoil([](Bytes& b) {
             Put32(b, 18, 0);
             Put32(b, 22, 0x80000001u);
         })},
    };
    for (const Case& c : cases) {
        CImage image = MakeImage(4, 6, Pattern::Random, 99);
        const CImage before = image;
        EXPECT_FALSE(Decode(image, c.file)) << c.what;
        EXPECT_EQ(DescribeDifference(before, image, true), "") << c.what;
    }
    CImage image;
    EXPECT_FALSE(DecodeBmp(image, nullptr, 0));
}

TEST(Bmp, FilesOnDisk) {
    TempFolder folder;
    const CImage image = MakeImage(7, 5, Pattern::Random, 21);
    ASSERT_TRUE(WriteBmp(image, folder.Path("a.bmp").c_str()));
    EXPECT_EQ(GetFile(folder.Path("a.bmp")), ReferenceBmp(image));
    CImage back;
    ASSERT_TRUE(ReadBmp(back, folder.Path("a.bmp").c_str()));
    EXPECT_EQ(DescribeDifference(image, back), "");

    CImage untouched = MakeImage(2, 2, Pattern::Random, 1);
    const CImage before = untouched;
    EXPECT_FALSE(ReadBmp(untouched, folder.Path("missing.bmp").c_str()));
    EXPECT_FALSE(ReadBmp(untouched, folder.Path("").c_str())); // the folder itself
    EXPECT_EQ(DescribeDifference(before, untouched, true), "");
    EXPECT_FALSE(WriteBmp(image, folder.Path("no-such-folder/a.bmp").c_str()));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.bmp"});
}

TEST(Bmp, LargeFilesAreReadAndWrittenInPieces) {
    // 2104-byte rows, 1.2 MiB in all: more than one piece, the last one short.
    TempFolder folder;
    const CImage image = MakeImage(701, 600, Pattern::Random, 5);
    const std::string path = folder.Path("big.bmp");
    ASSERT_TRUE(WriteBmp(image, path.c_str()));
    EXPECT_EQ(GetFile(path), ReferenceBmp(image));
    CImage back;
    ASSERT_TRUE(ReadBmp(back, path.c_str()));
    EXPECT_EQ(DescribeDifference(image, back), "");

    // Top-down rows at an odd offset.
    Bytes topDown = ReferenceTopDownBmp(image);
    topDown.insert(topDown.begin() + 54, 3, 0xAB);
    Put32(topDown, 10, 57);
    PutFile(path, topDown);
    CImage flipped;
    ASSERT_TRUE(ReadBmp(flipped, path.c_str()));
    EXPECT_EQ(DescribeDifference(image, flipped), "");

#ifndef _WIN32
    // The file shrinks after its size was taken: the first piece of rows is
    // read, the second is not there, and the image stays as it was.
    InputFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    ASSERT_EQ(truncate(path.c_str(), 1 << 20), 0);
    const CImage before = MakeImage(3, 2, Pattern::Random, 8);
    CImage target = before;
    EXPECT_FALSE(ReadBmpFrom(target, file));
    EXPECT_STREQ(FileFailure(), "read error");
    EXPECT_EQ(DescribeDifference(before, target, true), "");
#endif
}

} // namespace
