// Encoding: what WriteJpeg writes reads back close to the picture at every
// size, other decoders read it, the chroma resolution follows the quality, and
// nothing outside the quality range or without pixels is written.
#include <gtest/gtest.h>

#include <cstdlib>

#include "codec/JpegEngine.h"
#include "formats/ImageFiles.h"
#include "tests/codec/CodecTestFiles.h"
#include "tests/codec/JpegBytes.h"
#include "tests/support/TestImages.h"

namespace {

TEST(JpegEncode, RoundTripsKeepSizeAndStayCloseAtEverySize) {
    const std::string path = TempPath("roundtrip.jpg");
    for (const TestSize& s : DifferentialSizes()) {
        for (int quality : {50, 90, 100}) {
            SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " q" +
                         std::to_string(quality));
            CImage picture = SmoothPicture(s.w, s.h);
            CImage back;
            ASSERT_TRUE(WriteJpeg(picture, path.c_str(), quality));
            ASSERT_TRUE(ReadJpeg(back, path.c_str()));
            ASSERT_EQ(back.Width(), s.w);
            ASSERT_EQ(back.Height(), s.h);
            // Tiny pictures are all edges, which no quality keeps close.
            if (s.w >= 16 && s.h >= 16) {
                ChannelError e = CompareChannels(picture, back);
                EXPECT_LE(e.mean, quality == 100 ? 1.0 : quality == 90 ? 2.5 : 8.0);
            }
            for (int32_t y = 0; y < back.Height(); ++y)
                for (int32_t x = 0; x < back.Width(); ++x)
                    ASSERT_EQ(back.GetPixel(x, y) >> 24, 0u);
        }
    }
}

TEST(JpegEncode, RowsAreStoredTopFirstAndColoursInTheirChannels) {
    // Bottom half red, top half blue: a flipped or channel-swapped file shows.
    CImage picture;
    picture.Create(16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x)
            picture.SetPixel(x, y, y < 8 ? 0x00FF0000 : 0x000000FF);
    const std::string path = TempPath("halves.jpg");
    ASSERT_TRUE(WriteJpeg(picture, path.c_str(), 100));
    CImage back;
    ASSERT_TRUE(ReadJpeg(back, path.c_str()));
    EXPECT_GT(back.GetR(8, 2), 240);
    EXPECT_LT(back.GetB(8, 2), 15);
    EXPECT_GT(back.GetB(8, 13), 240);
    EXPECT_LT(back.GetR(8, 13), 15);
    if (!SampleFolder().empty()) {
        // The reference decoder reads the file the same way.
        std::string command = "djpeg -pnm \"" + path + "\" > \"" + path + ".pnm\"";
#ifndef _WIN32
        ASSERT_EQ(std::system(command.c_str()), 0);
        CImage reference;
        ASSERT_TRUE(ReadPnm(path + ".pnm", reference));
        EXPECT_EQ(DescribeDifference(reference, back), "");
#endif
    }
}

TEST(JpegEncode, FullChromaFromQualityNinetyHalfBelow) {
    EXPECT_EQ(SamplingOf(EncodedPicture(32, 32, 100)), "1x1 1x1 1x1");
    EXPECT_EQ(SamplingOf(EncodedPicture(32, 32, 90)), "1x1 1x1 1x1");
    EXPECT_EQ(SamplingOf(EncodedPicture(32, 32, 89)), "2x2 1x1 1x1");
    EXPECT_EQ(SamplingOf(EncodedPicture(32, 32, 50)), "2x2 1x1 1x1");
    // Higher quality, larger file.
    EXPECT_LT(EncodedPicture(64, 48, 50).size(), EncodedPicture(64, 48, 80).size());
    EXPECT_LT(EncodedPicture(64, 48, 80).size(), EncodedPicture(64, 48, 100).size());
}

TEST(JpegEncode, NothingIsWrittenOutsideTheQualityRangeOrWithoutPixels) {
    CImage picture = SmoothPicture(8, 8);
    for (int quality : {49, 101, 0, -5}) {
        const std::string path = TempPath(std::to_string(quality + 1000) + ".jpg");
        EXPECT_FALSE(WriteJpeg(picture, path.c_str(), quality)) << quality;
        EXPECT_FALSE(FileExists(path)) << quality;
    }
    CImage empty;
    empty.Create(0, 5);
    const std::string path = TempPath("empty.jpg");
    EXPECT_FALSE(WriteJpeg(empty, path.c_str(), 90));
    EXPECT_FALSE(FileExists(path));
    // Wider than a JPEG frame can say.
    std::vector<uint8_t> block = TransferBlockOf(SmoothPicture(1, 1));
    block[0] = 0xFF;
    block[1] = 0xFF; // 65535 x 1, over the format's limit of 65500
    EncodedJpeg jpeg;
    EXPECT_FALSE(EncodeJpeg(block.data(), 90, jpeg));
    EXPECT_EQ(jpeg.data, nullptr);
}

} // namespace
