// Every reader and writer with each of its allocations failing in turn: a read
// either gives the picture or leaves the image exactly as it was; a save
// either writes the file or leaves the old one as it was, with no temporary.
#include <gtest/gtest.h>

#include "formats/ImageFiles.h"
#include "tests/formats/FileHelpers.h"
#include "tests/formats/MetafileBuilder.h"
#include "tests/support/AllocationFailure.h"
#include "tests/support/TestImages.h"

namespace {

TEST(AllocationFailure, ReadersAndWritersSucceedOrChangeNothing) {
    TempFolder folder;
    const CImage picture = MakeImage(5, 3, Pattern::Random, 7);
    CImage untouched;
    untouched.Create(3, 2);
    untouched.SetPixel(1, 1, 0x00123456);
    MetafileBuilder metafile;
    metafile.Window(0, 0, 10, 10).SolidPen(2, 0x00FF00).SolidBrush(0xFF0000).Select(0).Select(1);
    metafile.Record(0x0418, {8, 8, 2, 2});
    PutFile(folder.Path("p.wmf"), metafile.Build());
    const Bytes old = {1, 2, 3};
    for (const char* name : {"p.bmp", "p.ycc", "p.jpg", "p.wmf"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.Path(name), saved = folder.Path(std::string("old-") + name);
        const bool writable = std::string(name) != "p.wmf";
        if (writable) {
            ASSERT_TRUE(SaveImageFile(const_cast<CImage&>(picture), path.c_str(), 90));
        }
        CImage image, expected;
        WalkAllocationFailures([&] { ASSERT_TRUE(image.CopyFrom(&untouched)); },
                               [&] { return LoadImageFile(image, path.c_str()); },
                               [&](bool succeeded, int64_t n) {
                                   if (n == 0) {
                                       ASSERT_TRUE(succeeded && expected.CopyFrom(&image));
                                   }
                                   EXPECT_EQ(DescribeDifference(succeeded ? expected : untouched,
                                                                image, true),
                                             "")
                                       << "reading, allocation " << n << " failed";
                               });
        if (!writable) continue;
        Bytes written;
        WalkAllocationFailures(
            [&] { PutFile(saved, old); },
            [&] { return SaveImageFile(const_cast<CImage&>(picture), saved.c_str(), 90); },
            [&](bool succeeded, int64_t n) {
                if (n == 0) written = GetFile(saved);
                EXPECT_EQ(GetFile(saved), succeeded ? written : old)
                    << "saving, allocation " << n << " failed";
                for (const std::string& left : folder.Names())
                    EXPECT_EQ(left.find(".tmp"), std::string::npos) << left;
            });
    }
}

} // namespace
