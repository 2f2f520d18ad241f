// BMP files seen from outside: a writer and reader that shared a mistake (row
// padding, say) would pass every test of their own, so small images of every
// padding are compared with ImageMagick's BMP3 files, made at test time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "formats/ImageFiles.h"
#include "formats/LittleEndian.h"
#include "tests/formats/FileHelpers.h"
#include "tests/support/TestImages.h"

namespace {

#ifndef _WIN32
// The image as a binary PPM, top row first, as ImageMagick reads it.
Bytes Ppm(const CImage& image) {
    const std::string head = "P6\n" + std::to_string(image.Width()) + " " +
                             std::to_string(image.Height()) + "\n255\n";
    Bytes ppm(head.begin(), head.end());
    for (int32_t y = image.Height() - 1; y >= 0; --y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            const uint32_t c = image.GetPixel(x, y);
            ppm.insert(ppm.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        }
    return ppm;
}

TEST(BmpOutsideView, FilesMatchImageMagicksForEveryRowPadding) {
    if (std::system("convert -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed: no outside view of BMP files";
    TempFolder folder;
    const std::string ppm = folder.Path("in.ppm"), theirs = folder.Path("theirs.bmp"),
                      ours = folder.Path("ours.bmp");
    const std::string convert = "convert " + ppm + " -type TrueColor BMP3:" + theirs;
    uint32_t seed = 1;
    for (int32_t h = 1; h <= 3; ++h)
        for (int32_t w = 1; w <= 9; ++w) {
            SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
            CImage image = MakeImage(w, h, Pattern::Random, seed++);
            PutFile(ppm, Ppm(image));
            ASSERT_EQ(std::system(convert.c_str()), 0);
            ASSERT_TRUE(WriteBmp(image, ours.c_str()));
            Bytes expected = GetFile(theirs);
            const Bytes actual = GetFile(ours);
            ASSERT_GE(expected.size(), 54u);
            // The size of the pixel data, which may be 0 for uncompressed
            // files (ours), is there in ImageMagick's: rows padded to 4 bytes.
            EXPECT_EQ(GetLe32(expected.data() + 34), uint32_t((3 * w + 3) / 4 * 4 * h));
            PutLe32(expected.data() + 34, 0);
            EXPECT_EQ(actual, expected);
            CImage read;
            ASSERT_TRUE(ReadBmp(read, theirs.c_str()));
            EXPECT_EQ(DescribeDifference(image, read), "");
        }
}
#endif

} // namespace
