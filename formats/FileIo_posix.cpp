#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "formats/FileFailure.h"
#include "formats/FileIoPlatform.h"

namespace fileio {

namespace {

// Closes the descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    // Closes now and reports whether the close succeeded (it can report a
    // deferred write error).
    bool Close() {
        const int result = close(fd);
        fd = -1;
        return result == 0;
    }
};

} // namespace

uint8_t* AllocateBytes(size_t n) {
#ifdef __linux__
    // A whole picture file is written or read into fresh memory once; faulting
    // it in by 4 KiB pages costs more than filling it, so large blocks go on
    // huge pages where the system offers them.
    constexpr size_t kHugePage = size_t(2) << 20;
    if (n >= 4 * kHugePage && n <= SIZE_MAX - kHugePage) {
        const size_t rounded = (n + kHugePage - 1) & ~(kHugePage - 1);
        void* block = std::aligned_alloc(kHugePage, rounded);
        if (block) madvise(block, rounded, MADV_HUGEPAGE);
        return static_cast<uint8_t*>(block);
    }
#endif
    return static_cast<uint8_t*>(std::malloc(n));
}

CreateResult CreateEmpty(const char* path, const char* model) {
    Descriptor file{open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
    if (file.fd < 0) return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
    // A replaced file keeps its permissions, as it would if written in place.
    struct stat info;
    if (model && stat(model, &info) == 0 && S_ISREG(info.st_mode)) {
        if (info.st_uid != geteuid() || info.st_gid != getegid())
            (void)fchown(file.fd, info.st_uid, info.st_gid); // allowed to root only; best effort
        (void)fchmod(file.fd, info.st_mode & 07777);
    }
    if (!file.Close()) {
        unlink(path);
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

OutputFile::~OutputFile() {
    if (handle_ >= 0) close(int(handle_));
}

bool OutputFile::Open(const char* path) {
    handle_ = open(path, O_WRONLY | O_TRUNC | O_CLOEXEC);
    return handle_ >= 0;
}

bool OutputFile::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    // The file is flushed before it replaces the target; starting the disk
    // writes a piece at a time lets them run while the rest is produced, so
    // the flush waits for little.
    constexpr uint64_t kStartEvery = uint64_t(8) << 20;
    size_t done = 0;
    while (done < size) {
        const ssize_t n =
            write(int(handle_), bytes + done, std::min<size_t>(size - done, kStartEvery));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
        written_ += uint64_t(n);
#ifdef __linux__
        if (written_ - started_ >= kStartEvery) {
            (void)sync_file_range(int(handle_), off_t(started_), off_t(written_ - started_),
                                  SYNC_FILE_RANGE_WRITE);
            started_ = written_;
        }
#endif
    }
    return true;
}

bool OutputFile::Close() {
#ifdef __linux__
    if (written_ > started_)
        (void)sync_file_range(int(handle_), off_t(started_), off_t(written_ - started_),
                              SYNC_FILE_RANGE_WRITE);
#endif
    const int result = close(int(handle_));
    handle_ = -1;
    return result == 0;
}

bool ResolveTarget(const char* path, char* out, size_t outSize) {
    const size_t length = std::strlen(path);
    if (length >= outSize) return false;
    std::memcpy(out, path, length + 1);
    // Follows the chain as open() would, up to the system's own limit on links.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(out, &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        char link[4096];
        const ssize_t n = readlink(out, link, sizeof link);
        if (n <= 0 || size_t(n) >= sizeof link) return false;
        link[n] = '\0';
        // A relative link is relative to the folder holding the link.
        const char* slash = std::strrchr(out, '/');
        const size_t keep = link[0] == '/' || !slash ? 0 : size_t(slash - out) + 1;
        if (keep + size_t(n) >= outSize) return false;
        std::memcpy(out + keep, link, size_t(n) + 1);
    }
    return false; // a loop of links
}

bool MayReplace(const char* path) {
    struct stat info;
    if (stat(path, &info) != 0) return errno == ENOENT;
    // The mode bits count even for a user whom access() lets write anyway
    // (root), since the owner marked the file read-only on purpose.
    return (info.st_mode & 0222) != 0 && access(path, W_OK) == 0;
}

bool FlushToDisk(const char* path) {
    Descriptor file{open(path, O_WRONLY | O_CLOEXEC)};
    return file.fd >= 0 && fsync(file.fd) == 0 && file.Close();
}

void FlushFolder(const char* path) {
    const char* slash = std::strrchr(path, '/');
    char folder[4096] = ".";
    if (slash) {
        const size_t keep = slash == path ? 1 : size_t(slash - path);
        if (keep >= sizeof folder) return;
        std::memcpy(folder, path, keep);
        folder[keep] = '\0';
    }
    // The rename has happened; a folder that cannot be flushed changes nothing
    // the caller could act on.
    Descriptor dir{open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) (void)fsync(dir.fd);
}

bool MoveOver(const char* from, const char* to) {
    return rename(from, to) == 0;
}

void Remove(const char* path) {
    unlink(path);
}

unsigned long ProcessNumber() {
    return static_cast<unsigned long>(getpid());
}

} // namespace fileio

InputFile::~InputFile() {
    if (handle_ >= 0) close(int(handle_));
}

bool InputFile::Open(const char* path, uint64_t maxBytes) {
    // Non-blocking, so that a named pipe is refused below instead of waiting
    // for a writer; reads of a regular file are not affected.
    handle_ = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (handle_ < 0) return FailWith(errno == ENOENT ? "no such file" : "cannot open the file");
    struct stat info;
    if (fstat(int(handle_), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0)
        return FailWith("not a regular file");
    if (uint64_t(info.st_size) > maxBytes) return FailWith("file too large");
    size_ = uint64_t(info.st_size);
    return true;
}

bool InputFile::ReadAt(uint64_t offset, void* to, size_t n) {
    auto* bytes = static_cast<uint8_t*>(to);
    size_t done = 0;
    while (done < n) {
        const ssize_t got = pread(int(handle_), bytes + done, n - done, off_t(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += size_t(got);
    }
    return true;
}
