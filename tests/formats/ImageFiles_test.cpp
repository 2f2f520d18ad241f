#include <gtest/gtest.h>

#include <filesystem>

#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"
#include "tests/formats/FileHelpers.h"
#include "tests/formats/Reference.h"
#include "tests/support/TestImages.h"

namespace {

// Runs the test body inside the temporary folder, for names without a folder.
class InFolder {
  public:
    explicit InFolder(const TempFolder& folder) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder.Path(""));
    }
    ~InFolder() { std::filesystem::current_path(old_); }

  private:
    std::filesystem::path old_;
};

bool IsBmp(const Bytes& b) {
    return b.size() >= 2 && b[0] == 'B' && b[1] == 'M';
}
bool IsYcc(const Bytes& b) {
    return b.size() >= 4 && b[0] == 0x59 && b[1] == 0x43;
}

TEST(ImageFiles, EndsInIgnoresAsciiCaseOnly) {
    EXPECT_TRUE(EndsIn("x.BMP", ".bmp"));
    EXPECT_TRUE(EndsIn("x.bMp", ".BmP"));
    EXPECT_TRUE(EndsIn(".bmp", ".bmp"));
    EXPECT_FALSE(EndsIn("x.bmp ", ".bmp"));
    EXPECT_FALSE(EndsIn("bmp", ".bmp"));
    EXPECT_FALSE(EndsIn("x.jpeg", ".jpg"));
    EXPECT_FALSE(EndsIn(nullptr, ".bmp"));
}

TEST(ImageFiles, LoadingChoosesTheReaderByTheNameEnding) {
    TempFolder folder;
    InFolder here(folder);
    const CImage image = MakeImage(3, 2, Pattern::Random, 11);
    const Bytes bmp = ReferenceBmp(image);
    // Every name that is not .jpg, .ycc or .wmf is read as a bitmap.
    for (const char* name : {"x.BMP", "x.Bmp", "image", "x.jpeg", "x.emf", "a.bmpx"}) {
        PutFile(name, bmp);
        CImage read;
        EXPECT_TRUE(LoadImageFile(read, name)) << name;
        EXPECT_EQ(DescribeDifference(image, read), "") << name;
    }
    // Bitmap content under another reader's name is not read as a bitmap; names
    // under five characters are refused without looking at the file.
    for (const char* name : {"x.JPG", "x.jpg", "p.WMF", "y.ycc", "a.jp", "x.b", ""}) {
        PutFile(name[0] ? name : "unused", bmp);
        CImage read = MakeImage(2, 2, Pattern::Random, 1);
        const CImage before = read;
        EXPECT_FALSE(LoadImageFile(read, name)) << name;
        EXPECT_EQ(DescribeDifference(before, read, true), "") << name;
    }
    CImage read;
    EXPECT_FALSE(LoadImageFile(read, nullptr));

    CImage ycc = image;
    PutFile("z.YCC", ReferenceYcc(ycc));
    ASSERT_TRUE(LoadImageFile(read, "z.YCC"));
    EXPECT_EQ(DescribeDifference(ReferenceImageFromYcc(GetFile("z.YCC"), 16), read), "");
}

TEST(ImageFiles, SavingChoosesTheWriterByTheNameEnding) {
    TempFolder folder;
    InFolder here(folder);
    CImage image = MakeImage(3, 2, Pattern::Random, 12);
    for (const char* name : {"a.bmp", "picture.wmf", "picture.WMF", "image", "x.jpeg"}) {
        ASSERT_TRUE(SaveImageFile(image, name, 90)) << name;
        EXPECT_EQ(GetFile(name), ReferenceBmp(image)) << name;
    }
    ASSERT_TRUE(SaveImageFile(image, "b.Ycc", 90));
    EXPECT_TRUE(IsYcc(GetFile("b.Ycc")));
    // JPEG names never get a bitmap (the codec writes JPEG when it is present).
    SaveImageFile(image, "picture.JPG", 90);
    EXPECT_FALSE(IsBmp(GetFile("picture.JPG")));

    EXPECT_FALSE(SaveImageFile(image, "a.bm", 90));
    EXPECT_FALSE(PathExists("a.bm"));
    EXPECT_FALSE(SaveImageFile(image, nullptr, 90));
}

// The dialogs' list comes from the table of kinds, in the program's order.
TEST(ImageFiles, DialogFilterAndExtensionsComeFromTheKinds) {
    const char expected[] = "ビットマップ(*.bmp)\0*.bmp\0Jpegファイル(*.jpg)\0*.jpg\0"
                            "YCrCbファイル(*.ycc)\0*.ycc\0すべてのファイル(*.*)\0*.*\0";
    EXPECT_EQ(DialogFilter(), std::string(expected, sizeof expected - 1));
    EXPECT_STREQ(DialogFileKind(2)->extension, ".jpg");
    EXPECT_EQ(DialogFileKind(4), nullptr);
    EXPECT_EQ(DialogFileKind(0), nullptr);
}

// Each refusal leaves a short reason for the batch tool to show.
TEST(ImageFiles, RefusalsStoreTheirReason) {
    TempFolder folder;
    InFolder here(folder);
    const Bytes bmp = ReferenceBmp(MakeImage(4, 3, Pattern::Random, 5));
    Bytes eightBit = bmp;
    eightBit[28] = 8;
    Bytes wide = bmp;
    wide[21] = 0x7F; // a width above 2^30
    PutFile("cut.bmp", Bytes(bmp.begin(), bmp.end() - 1));
    PutFile("eight.bmp", eightBit);
    PutFile("wide.bmp", wide);
    PutFile("text.bmp", Bytes{'h', 'i'});
    PutFile("bad.ycc", bmp);
    for (auto [name, reason] : {std::pair{"missing.bmp", "no such file"},
                                {"cut.bmp", "truncated"},
                                {"eight.bmp", "unsupported BMP: not 24 bits per pixel"},
                                {"wide.bmp", "image too large"},
                                {"text.bmp", "not a BMP file"},
                                {"bad.ycc", "not a YCC file"},
                                {"a.b", "file name too short"}}) {
        CImage image;
        EXPECT_FALSE(LoadImageFile(image, name)) << name;
        EXPECT_STREQ(FileFailure(), reason) << name;
    }
    CImage image = MakeImage(2, 2, Pattern::Random, 1);
    EXPECT_FALSE(SaveImageFile(image, "no-folder/x.bmp", 90));
    EXPECT_STREQ(FileFailure(), "cannot create the file");
    EXPECT_TRUE(SaveImageFile(image, "x.bmp", 90));
    EXPECT_STREQ(FileFailure(), "");
}

} // namespace
