// Decoding: files from other encoders in every accepted variant must give
// exactly djpeg's pixels; the variants the program does not take, and hostile
// files, must be refused with the image untouched.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "codec/JpegEngine.h"
#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"
#include "tests/codec/CodecTestFiles.h"
#include "tests/codec/JpegBytes.h"
#include "tests/support/TestImages.h"

namespace {

#define SKIP_WITHOUT_SAMPLES()                                                                     \
    if (SampleFolder().empty())                                                                    \
    GTEST_SKIP() << "no JPEG samples: the build found no cjpeg, djpeg and convert"

// An image that a refused read must leave as it was.
CImage Untouched() {
    CImage image;
    image.Create(3, 2);
    image.SetPixel(1, 1, 0x00123456);
    return image;
}

void ExpectUntouched(const CImage& image) {
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.GetPixel(1, 1), 0x00123456u);
}

TEST(JpegDecode, EveryVariantFromOtherEncodersMatchesTheReferenceDecoder) {
    SKIP_WITHOUT_SAMPLES();
    for (const char* name :
         {"baseline-420", "baseline-422", "baseline-444", "progressive", "grey", "grey-progressive",
          "arithmetic", "restart", "rgb", "magick-420", "magick-progressive", "magick-444"}) {
        SCOPED_TRACE(name);
        CImage expected, actual;
        ASSERT_TRUE(ReadPnm(SamplePath(std::string(name) + ".pnm"), expected));
        ASSERT_TRUE(ReadJpeg(actual, SamplePath(std::string(name) + ".jpg").c_str()));
        EXPECT_EQ(DescribeDifference(expected, actual, true), "");
    }
}

TEST(JpegDecode, CmykAndTwelveBitFilesAreRefused) {
    CImage image = Untouched();
    if (!SampleFolder().empty()) {
        EXPECT_FALSE(ReadJpeg(image, SamplePath("cmyk.jpg").c_str()));
        EXPECT_STREQ(FileFailure(), "unsupported JPEG: CMYK");
        ExpectUntouched(image);
    }
    std::vector<uint8_t> twelve = EncodedPicture(16, 16, 90);
    size_t sof = FindMarker(twelve, 0xC0);
    ASSERT_NE(sof, 0u);
    twelve[sof + 1] = 0xC1; // extended sequential, which allows 12 bits
    twelve[sof + 4] = 12;
    std::string path = TempPath("twelve.jpg");
    ASSERT_TRUE(WriteBytes(path, twelve));
    EXPECT_FALSE(ReadJpeg(image, path.c_str()));
    EXPECT_STREQ(FileFailure(), "unsupported JPEG: not 8 bits per sample");
    ExpectUntouched(image);
}

TEST(JpegDecode, TruncatedDataIsRefusedWhereverItEnds) {
    std::vector<uint8_t> whole = EncodedPicture(40, 24, 90);
    uint8_t* block = DecodeJpeg(whole.data(), whole.size());
    ASSERT_NE(block, nullptr);
    FreeTransferBlock(block);
    // Cut inside the headers, inside the scan, and just before the last bytes
    // of entropy-coded data.
    for (size_t keep : {size_t(2), size_t(20), whole.size() / 2, whole.size() - 8}) {
        SCOPED_TRACE(keep);
        EXPECT_EQ(DecodeJpeg(whole.data(), keep), nullptr);
    }
    std::string path = TempPath("truncated.jpg");
    ASSERT_TRUE(WriteBytes(path, {whole.begin(), whole.begin() + whole.size() / 2}));
    CImage image = Untouched();
    EXPECT_FALSE(ReadJpeg(image, path.c_str()));
    EXPECT_STREQ(FileFailure(), "truncated");
    ExpectUntouched(image);
    if (SampleFolder().empty()) return;
    // A progressive file cut cleanly before its last scan would decode blurred.
    std::vector<uint8_t> progressive = ReadBytes(SamplePath("progressive.jpg"));
    size_t lastScan = 0;
    for (size_t i = 0; i + 1 < progressive.size(); ++i)
        if (progressive[i] == 0xFF && progressive[i + 1] == 0xDA) lastScan = i;
    ASSERT_GT(lastScan, 0u);
    EXPECT_EQ(DecodeJpeg(progressive.data(), lastScan), nullptr);
}

TEST(JpegDecode, AFileMissingOnlyItsEndMarkerStillOpens) {
    std::vector<uint8_t> bytes = EncodedPicture(24, 16, 90);
    ASSERT_EQ(bytes[bytes.size() - 2], 0xFF);
    ASSERT_EQ(bytes[bytes.size() - 1], 0xD9);
    uint8_t* block = DecodeJpeg(bytes.data(), bytes.size() - 2);
    EXPECT_NE(block, nullptr);
    FreeTransferBlock(block);
}

TEST(JpegDecode, DeclaredSizesTheDataCannotHoldAreRefusedBeforeAllocating) {
    std::vector<uint8_t> small = EncodedPicture(16, 16, 90);
    size_t sof = FindMarker(small, 0xC0);
    ASSERT_NE(sof, 0u);
    // 65500 x 65500 would be 16 GiB of pixels; 5000 x 5000 is over the size a
    // file of a few hundred bytes can hold. Both fail fast; 3000 x 3000 is
    // allowed to try and then fails on the missing data.
    for (int side : {65500, 5000, 3000}) {
        SCOPED_TRACE(side);
        std::vector<uint8_t> bytes = small;
        bytes[sof + 5] = uint8_t(side >> 8);
        bytes[sof + 6] = uint8_t(side);
        bytes[sof + 7] = uint8_t(side >> 8);
        bytes[sof + 8] = uint8_t(side);
        EXPECT_EQ(DecodeJpeg(bytes.data(), bytes.size()), nullptr);
    }
    EXPECT_FALSE(PlausibleJpegSize(65500, 65500, 1 << 20));
    EXPECT_TRUE(PlausibleJpegSize(4000, 3000, 1000));
    EXPECT_TRUE(PlausibleJpegSize(8000, 6000, 48000000 / 1024));
    EXPECT_FALSE(PlausibleJpegSize(8000, 6000, 48000000 / 1024 - 1));
    EXPECT_FALSE(PlausibleJpegSize(0, 10, 1000));
}

// Scans that each walk every block with a few bytes: within the bound on
// blocks walked a file opens, past it it is refused, and a flood of 1000 scans
// over 4096 x 4096 pixels (73 KB) is refused in a fraction of a second.
TEST(JpegDecode, ScanFloodsAreBoundedByBlocksWalked) {
    for (int scans : {int(kMaxPassesPerBlock), int(kMaxPassesPerBlock) + 1}) {
        const std::vector<uint8_t> bytes = ScanFlood(64, 48, scans);
        uint8_t* block = DecodeJpeg(bytes.data(), bytes.size());
        EXPECT_EQ(block != nullptr, scans == int(kMaxPassesPerBlock)) << scans;
        FreeTransferBlock(block);
    }
    const std::vector<uint8_t> flood = ScanFlood(4096, 4096, 1000);
    EXPECT_LT(flood.size(), 80000u);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DecodeJpeg(flood.data(), flood.size()), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(JpegDecode, FilesThatAreNotJpegAreRefused) {
    CImage image = Untouched();
    EXPECT_FALSE(ReadJpeg(image, TempPath("missing.jpg").c_str()));
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{0xFF, 0xD8},
          std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xD9}, std::vector<uint8_t>(300, 0x42)}) {
        std::string path = TempPath("notjpeg.jpg");
        ASSERT_TRUE(WriteBytes(path, bytes));
        EXPECT_FALSE(ReadJpeg(image, path.c_str())) << bytes.size() << " bytes";
        ExpectUntouched(image);
    }
}

TEST(JpegDecode, CorruptedBytesNeverCrash) {
    std::vector<uint8_t> whole = EncodedPicture(33, 17, 80);
    uint32_t state = 99;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = whole;
        for (int k = 0; k < 4; ++k) {
            state = state * 214013u + 2531011u;
            bytes[(state >> 8) % bytes.size()] = uint8_t(state >> 24);
        }
        uint8_t* block = DecodeJpeg(bytes.data(), bytes.size());
        if (block) {
            uint32_t w, h;
            std::memcpy(&w, block, 4);
            std::memcpy(&h, block + 4, 4);
            EXPECT_TRUE(w > 0 && h > 0 && uint64_t(w) * h <= kPixelsWithoutRatio);
        }
        FreeTransferBlock(block);
    }
}

} // namespace
