#include "formats/FileIo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "formats/FileIoPlatform.h"

void FreeBytes::operator()(uint8_t* p) const {
    std::free(p);
}

bool ByteBlock::Allocate(size_t n) {
    data.reset(fileio::AllocateBytes(n == 0 ? 1 : n));
    size = data ? n : 0;
    return data != nullptr;
}

bool ReadWholeFile(const char* path, ByteBlock& out, uint64_t maxBytes) {
    out = ByteBlock();
    if (!path) return false;
    if (fileio::ReadAll(path, out, maxBytes)) return true;
    out = ByteBlock();
    return false;
}

bool WriteWholeFile(const char* path, const void* data, size_t size) {
    if (!path || (!data && size != 0)) return false;
    CSafeSave save(path);
    if (!save.TempPath() || !fileio::WriteAll(save.TempPath(), data, size)) return false;
    return save.Commit();
}

CSafeSave::CSafeSave(const char* target) : target_(target) {
    temp_[0] = '\0';
    if (!target || !*target) return;
    // The temporary's name is the target's with a suffix, so it lies in the same
    // folder (a rename within one volume) and no path needs to be taken apart.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int n = std::snprintf(temp_, sizeof temp_, "%s.~%lx-%x.tmp", target,
                                    fileio::ProcessNumber(), ++counter);
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

CSafeSave::~CSafeSave() {
    Discard();
}

bool CSafeSave::Commit() {
    if (!created_) return false;
    if (fileio::MoveOver(temp_, target_)) {
        created_ = false;
        return true;
    }
    Discard();
    return false;
}

void CSafeSave::Discard() {
    if (!created_) return;
    fileio::Remove(temp_);
    created_ = false;
}
