#include <gtest/gtest.h>

#include <filesystem>

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

} // namespace
