#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "formats/FileFailure.h"
#include "formats/FileIo.h"
#include "formats/ImageFiles.h"
#include "tests/formats/FileHelpers.h"
#include "tests/support/TestImages.h"

namespace {

Bytes Filler(size_t n, uint8_t seed) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = uint8_t(seed + i * 7);
    return b;
}

TEST(FileIo, WholeFilesReplaceTheOldContentCompletely) {
    TempFolder folder;
    const std::string path = folder.Path("data.bin");
    PutFile(path, Filler(5000, 1));
    const Bytes fresh = Filler(300, 2);
    ASSERT_TRUE(WriteWholeFile(path.c_str(), fresh.data(), fresh.size()));
    EXPECT_EQ(GetFile(path), fresh);
    ASSERT_TRUE(WriteWholeFile(path.c_str(), nullptr, 0));
    EXPECT_EQ(GetFile(path), Bytes());
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.bin"});

    ByteBlock block;
    PutFile(path, fresh);
    ASSERT_TRUE(ReadWholeFile(path.c_str(), block));
    EXPECT_EQ(Bytes(block.data.get(), block.data.get() + block.size), fresh);
    // Over the limit, missing or a folder: refused with an empty block.
    EXPECT_FALSE(ReadWholeFile(path.c_str(), block, 299));
    EXPECT_EQ(block.size, 0u);
    EXPECT_TRUE(ReadWholeFile(path.c_str(), block, 300));
    EXPECT_FALSE(ReadWholeFile(folder.Path("missing").c_str(), block));
    EXPECT_FALSE(ReadWholeFile(folder.Path("").c_str(), block));
    EXPECT_FALSE(ReadWholeFile(nullptr, block));
}

TEST(FileIo, FailedReplacementKeepsTheTargetAndLeavesNoTemporary) {
    TempFolder folder;
    // A folder in the target's place cannot be replaced by a file.
    std::filesystem::create_directory(folder.Path("target"));
    const Bytes data = Filler(100, 3);
    EXPECT_FALSE(WriteWholeFile(folder.Path("target").c_str(), data.data(), data.size()));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("target")));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"target"});
    // A missing folder: nothing is created anywhere.
    EXPECT_FALSE(WriteWholeFile(folder.Path("nowhere/x").c_str(), data.data(), data.size()));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"target"});
}

TEST(FileIo, SafeSaveForWritersThatWriteByName) {
    TempFolder folder;
    const std::string target = folder.Path("picture.jpg");
    PutFile(target, Filler(10, 4));
    std::string temp;
    {
        SafeSave save(target.c_str());
        ASSERT_NE(save.TempPath(), nullptr);
        temp = save.TempPath();
        EXPECT_EQ(std::filesystem::path(temp).parent_path(),
                  std::filesystem::path(target).parent_path());
        PutFile(temp, Filler(20, 5));
        EXPECT_EQ(folder.Names().size(), 2u);
    } // not committed: discarded
    EXPECT_FALSE(PathExists(temp));
    EXPECT_EQ(GetFile(target), Filler(10, 4));

    SafeSave save(target.c_str());
    ASSERT_NE(save.TempPath(), nullptr);
    PutFile(save.TempPath(), Filler(20, 5));
    ASSERT_TRUE(save.Commit());
    EXPECT_EQ(GetFile(target), Filler(20, 5));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"picture.jpg"});
    EXPECT_FALSE(save.Commit()); // once only

    SafeSave nowhere(folder.Path("missing/x.jpg").c_str());
    EXPECT_EQ(nowhere.TempPath(), nullptr);
    EXPECT_FALSE(nowhere.Commit());
}

// A read-only target is refused as a direct write would be: the save fails and
// the file stays as it was. Other permissions and attributes are kept.
TEST(FileIo, ReadOnlyTargetIsRefusedAndOtherPermissionsAreKept) {
    TempFolder folder;
    const std::string path = folder.Path("kept.bmp");
    const Bytes old = Filler(10, 10), data = Filler(20, 11);
    PutFile(path, old);
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
#else
    chmod(path.c_str(), 0444);
#endif
    EXPECT_FALSE(WriteWholeFile(path.c_str(), data.data(), data.size()));
    CImage image = MakeImage(3, 2, Pattern::Random, 1);
    EXPECT_FALSE(SaveImageFile(image, path.c_str(), 90));
    EXPECT_EQ(GetFile(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"kept.bmp"});
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(WriteWholeFile(path.c_str(), data.data(), data.size()));
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
              DWORD(FILE_ATTRIBUTE_HIDDEN));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteWholeFile(path.c_str(), data.data(), data.size()));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
    EXPECT_EQ(GetFile(path), data);
}

#ifdef _WIN32
// A picture another program holds open (a viewer, an editor) still opens. A
// save over it fails while the other program forbids its replacement, and the
// picture stays as it was.
TEST(FileIo, FilesOpenElsewhereStillReadAndAreNotReplacedAgainstTheirHolder) {
    TempFolder folder;
    const std::string path = folder.Path("open.bmp");
    CImage image = MakeImage(5, 3, Pattern::Random, 4);
    ASSERT_TRUE(SaveImageFile(image, path.c_str(), 90));
    for (DWORD share : {DWORD(FILE_SHARE_READ), DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE)}) {
        const HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        CImage read;
        EXPECT_TRUE(LoadImageFile(read, path.c_str())) << share;
        EXPECT_EQ(DescribeDifference(image, read), "") << share;
        ByteBlock block;
        EXPECT_TRUE(ReadWholeFile(path.c_str(), block)) << share;
        CImage another = MakeImage(2, 2, Pattern::Random, 5);
        EXPECT_FALSE(SaveImageFile(another, path.c_str(), 90)) << share;
        CloseHandle(other);
        EXPECT_EQ(GetFile(path), Bytes(block.data.get(), block.data.get() + block.size));
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"open.bmp"});
    }
}
#endif

#ifndef _WIN32
// Saving through a symbolic link (also a relative one, and a chain) replaces
// the file it ends in and keeps the link.
TEST(FileIo, SaveThroughSymbolicLinkKeepsTheLink) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("real"));
    const std::string real = folder.Path("real/picture.bmp");
    PutFile(real, Filler(10, 12));
    ASSERT_EQ(symlink("real/picture.bmp", folder.Path("link1").c_str()), 0);
    ASSERT_EQ(symlink(folder.Path("link1").c_str(), folder.Path("link2").c_str()), 0);
    for (const char* name : {"link1", "link2"}) {
        const Bytes data = Filler(30, uint8_t(name[4]));
        ASSERT_TRUE(WriteWholeFile(folder.Path(name).c_str(), data.data(), data.size()));
        EXPECT_TRUE(std::filesystem::is_symlink(folder.Path(name)));
        EXPECT_EQ(GetFile(real), data);
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link1", "link2", "real"}));
    EXPECT_EQ(std::filesystem::directory_iterator(folder.Path("real"))->path().filename(),
              "picture.bmp");
    // A loop of links cannot be saved through.
    ASSERT_EQ(symlink("loop", folder.Path("loop").c_str()), 0);
    EXPECT_FALSE(WriteWholeFile(folder.Path("loop").c_str(), "x", 1));
}

// Runs save in a child whose files may not grow beyond limit bytes, so the
// write really comes back short; returns the child's result.
template <typename Save> bool SaveWithFileSizeLimit(rlim_t limit, Save save) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small = {limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        _exit(save() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(FileIo, WriteThatFailsPartWayKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = folder.Path("old.bmp");
    const Bytes old = Filler(1000, 6);
    PutFile(path, old);

    const Bytes big = Filler(50000, 7);
    EXPECT_FALSE(SaveWithFileSizeLimit(
        4096, [&] { return WriteWholeFile(path.c_str(), big.data(), big.size()); }));
    EXPECT_EQ(GetFile(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.bmp"});

    CImage image = MakeImage(69, 49, Pattern::Random, 4);
    EXPECT_FALSE(
        SaveWithFileSizeLimit(4096, [&] { return SaveImageFile(image, path.c_str(), 90); }));
    EXPECT_EQ(GetFile(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.bmp"});

    // Within the limit the same save succeeds.
    EXPECT_TRUE(
        SaveWithFileSizeLimit(1 << 20, [&] { return SaveImageFile(image, path.c_str(), 90); }));
    EXPECT_EQ(GetFile(path).size(), 54u + 208u * 49u);
}

// A named pipe given as a picture (a batch over a folder may hold one) is
// refused at once by every reader instead of waiting for a writer forever.
TEST(FileIo, NamedPipesAreRefusedWithoutWaiting) {
    TempFolder folder;
    const CImage before = MakeImage(3, 2, Pattern::Random, 8);
    for (const char* name : {"pipe.bmp", "pipe.jpg", "pipe.ycc", "pipe.wmf"}) {
        const std::string path = folder.Path(name);
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        CImage image = before;
        std::string reason; // the reason is kept per thread
        auto load = std::async(std::launch::async, [&] {
            const bool loaded = LoadImageFile(image, path.c_str());
            reason = FileFailure();
            return loaded;
        });
        if (load.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            close(open(path.c_str(), O_WRONLY | O_NONBLOCK)); // lets the reader go on
            load.wait();
            ADD_FAILURE() << name << " waited for a writer";
            continue;
        }
        EXPECT_FALSE(load.get()) << name;
        EXPECT_EQ(reason, "not a regular file") << name;
        EXPECT_EQ(DescribeDifference(before, image, true), "") << name;
    }
}

#endif

} // namespace
