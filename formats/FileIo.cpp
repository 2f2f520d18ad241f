#include "formats/FileIo.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/BlockMemory.h"
#include "formats/FileFailure.h"
#include "formats/FileIoPlatform.h"

void FreeBytes::operator()(uint8_t* p) const {
    std::free(p);
}

bool ByteBlock::Allocate(size_t n) {
    data.reset(AllocationMayProceed() ? fileio::AllocateBytes(n == 0 ? 1 : n) : nullptr);
    size = data ? n : 0;
    return data != nullptr;
}

bool ReadWholeFile(const char* path, ByteBlock& out, uint64_t maxBytes) {
    out = ByteBlock();
    if (!path) return false;
    InputFile file;
    if (!file.Open(path, maxBytes)) return false;
    if (!out.Allocate(size_t(file.Size()))) return FailWith("out of memory");
    if (file.ReadAt(0, out.data.get(), out.size)) return true;
    out = ByteBlock();
    return FailWith("read error");
}

namespace {

// The one home of the safe-save steps: write(file) fills the temporary, which
// then replaces the target.
template <class Content> bool SaveSafely(const char* path, Content write) {
    SafeSave save(path);
    if (!save.TempPath()) return FailWith("cannot create the file");
    fileio::OutputFile file;
    if (!file.Open(save.TempPath()) || !write(file) || !file.Close())
        return FailWith("write error");
    return save.Commit() || FailWith("cannot replace the file");
}

} // namespace

bool WriteWholeFile(const char* path, const void* data, size_t size) {
    if (!path || (!data && size != 0)) return false;
    // The single piece needs no buffer of its own.
    return SaveSafely(path, [&](fileio::OutputFile& file) { return file.Write(data, size); });
}

bool WriteFileInPieces(const char* path, uint64_t size, size_t pieceBytes,
                       PieceProducer& producer) {
    if (!path) return false;
    // The buffer comes before the temporary: without it nothing is created.
    ByteBlock buffer;
    if (!buffer.Allocate(size_t(std::min<uint64_t>(size, pieceBytes == 0 ? 1 : pieceBytes))))
        return FailWith("out of memory");
    return SaveSafely(path, [&](fileio::OutputFile& file) {
        for (uint64_t done = 0; done < size;) {
            const size_t capacity = size_t(std::min<uint64_t>(size - done, buffer.size));
            const size_t n = producer.Produce(buffer.data.get(), capacity);
            if (n == 0 || n > capacity || !file.Write(buffer.data.get(), n)) return false;
            done += n;
        }
        return true;
    });
}

SafeSave::SafeSave(const char* path) {
    target_[0] = temp_[0] = '\0';
    if (!path || !*path || !fileio::ResolveTarget(path, target_, sizeof target_) ||
        !fileio::MayReplace(target_))
        return;
    const char* const target = target_;
    // The temporary lies in the target's folder (a rename within one volume) and
    // takes the place of the name after the last separator, so that a long path
    // stays within the system's limit. A code page 932 trail byte may look like
    // a backslash; cutting after it still ends on a whole character in the same
    // folder.
    size_t keep = 0;
    for (size_t i = 0; target[i]; ++i)
        if (target[i] == '/' || target[i] == '\\' || target[i] == ':') keep = i + 1;
    static std::atomic<unsigned> counter = 0; // the batch tool saves on several threads
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned tag = unsigned(fileio::ProcessNumber() * 31u + ++counter) & 0xFFFFFFu;
        const int n = std::snprintf(temp_, sizeof temp_, "%.*s~%06x.tmp", int(keep), target, tag);
        if (n < 0 || size_t(n) >= sizeof temp_) break;
        const fileio::CreateResult result = fileio::CreateEmpty(temp_, target);
        if (result == fileio::CreateResult::Created) {
            created_ = true;
            return;
        }
        if (result == fileio::CreateResult::Failed) break;
    }
    temp_[0] = '\0';
}

SafeSave::~SafeSave() {
    Discard();
}

bool SafeSave::Commit() {
    if (!created_) return false;
    if (fileio::FlushToDisk(temp_) && fileio::MoveOver(temp_, target_)) {
        created_ = false;
        fileio::FlushFolder(target_);
        return true;
    }
    Discard();
    return false;
}

void SafeSave::Discard() {
    if (!created_) return;
    fileio::Remove(temp_);
    created_ = false;
}
