// JPEG in the file layer: the ".jpg" names reach the codec library, a failed
// save leaves the old file whole and no temporary behind, saving leaves the
// image exactly as it was, and without the library only JPEG fails.
#include <gtest/gtest.h>

#include <cstring>

#include "formats/ImageFiles.h"
#include "formats/JpegCodec.h"
#include "tests/codec/CodecTestFiles.h"
#include "tests/support/TestImages.h"

namespace {

TEST(JpegFiles, JpgNamesInAnyCaseGoThroughTheCodecAndKeepTheImage) {
    CImage picture = MakeImage(37, 21, Pattern::Random, 5);
    const CImage before = picture;
    const std::string path = TempPath("Picture.JPG");
    ASSERT_TRUE(SaveImageFile(picture, path.c_str(), 95));
    // The bytes in front of the colour plane lent for the transfer are back.
    EXPECT_EQ(std::memcmp(picture.Header(), before.Header(), 44), 0);
    EXPECT_EQ(DescribeDifference(before, picture, true), "");
    const std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    CImage back;
    ASSERT_TRUE(LoadImageFile(back, path.c_str()));
    EXPECT_EQ(back.Width(), 37);
    EXPECT_EQ(back.Height(), 21);
    for (int32_t i = 0; i < 37 * 21; ++i)
        EXPECT_EQ(back.AuxBits()[i], 0u) << i;
}

TEST(JpegFiles, AFailedSaveLeavesTheOldFileAndNoTemporary) {
    const std::string path = TempPath("keep.jpg");
    const std::vector<uint8_t> old = {1, 2, 3, 4, 5};
    ASSERT_TRUE(WriteBytes(path, old));
    const size_t filesBefore = FilesBeside(path).size();
    CImage empty;
    empty.Create(0, 0);
    EXPECT_FALSE(WriteJpeg(empty, path.c_str(), 90));
    EXPECT_FALSE(WriteJpeg(MakeImage(4, 4, Pattern::Flat, 1), path.c_str(), 120));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(FilesBeside(path).size(), filesBefore);
    // Writing into a folder that does not exist fails without a trace.
    EXPECT_FALSE(
        WriteJpeg(MakeImage(4, 4, Pattern::Flat, 1), TempPath("no-such-folder/x.jpg").c_str(), 90));
}

TEST(JpegFiles, WithoutTheLibraryOnlyJpegFails) {
    CJpegCodec missing("/no/such/folder/libimgcodec-missing");
    EXPECT_FALSE(missing.Loaded());
    CImage image = MakeImage(5, 3, Pattern::Random, 9);
    const CImage before = image;
    const std::string path = TempPath("nolib.jpg");
    ASSERT_TRUE(WriteJpeg(image, path.c_str(), 90)); // the program's own instance
    EXPECT_FALSE(missing.Read(image, path.c_str()));
    EXPECT_FALSE(missing.Write(image, TempPath("nolib2.jpg").c_str(), 90));
    EXPECT_FALSE(FileExists(TempPath("nolib2.jpg")));
    EXPECT_EQ(DescribeDifference(before, image, true), "");
}

} // namespace
