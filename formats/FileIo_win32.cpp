#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "formats/FileFailure.h"
#include "formats/FileIoPlatform.h"

namespace fileio {

namespace {

// Closes the handle when it goes out of scope.
struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    bool Close() {
        const BOOL ok = CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }
};

// ReadFile and WriteFile move at most this many bytes per call.
constexpr DWORD kChunk = DWORD(1) << 30;

} // namespace

uint8_t* AllocateBytes(size_t n) {
    return static_cast<uint8_t*>(std::malloc(n));
}

bool ReadAll(const char* path, ByteBlock& out, uint64_t maxBytes) {
    Handle file{
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return FailWith(missing ? "no such file" : "cannot open the file");
    }
    LARGE_INTEGER size;
    if (GetFileType(file.h) != FILE_TYPE_DISK || !GetFileSizeEx(file.h, &size) ||
        size.QuadPart < 0)
        return FailWith("not a regular file");
    if (uint64_t(size.QuadPart) > maxBytes) return FailWith("file too large");
    if (!out.Allocate(size_t(size.QuadPart))) return FailWith("out of memory");
    size_t done = 0;
    while (done < out.size) {
        const size_t left = out.size - done;
        DWORD n = 0;
        if (!::ReadFile(file.h, out.data.get() + done, left < kChunk ? DWORD(left) : kChunk, &n,
                        nullptr) ||
            n == 0)
            return FailWith("read error");
        done += n;
    }
    return true;
}

CreateResult CreateEmpty(const char* path, const char* model) {
    // A replaced file keeps the attributes a user sets (read-only ones are
    // refused before this).
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD old = model ? GetFileAttributesA(model) : INVALID_FILE_ATTRIBUTES;
    const DWORD attributes = old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY) &&
                                     (old & kKept) != 0
                                 ? old & kKept
                                 : FILE_ATTRIBUTE_NORMAL;
    Handle file{CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateResult::Exists
                                                                           : CreateResult::Failed;
    }
    if (!file.Close()) {
        DeleteFileA(path);
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

bool WriteAll(const char* path, const void* data, size_t size) {
    Handle file{CreateFileA(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t done = 0;
    while (done < size) {
        const size_t left = size - done;
        DWORD n = 0;
        if (!::WriteFile(file.h, bytes + done, left < kChunk ? DWORD(left) : kChunk, &n, nullptr) ||
            n == 0)
            return FailWith("read error");
        done += n;
    }
    return file.Close();
}

bool ResolveTarget(const char* path, char* out, size_t outSize) {
    const size_t length = std::strlen(path);
    if (length >= outSize) return false;
    std::memcpy(out, path, length + 1);
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    // A symbolic link: the save replaces the file it ends in.
    Handle file{CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return true; // a dangling link: written as a new file
    const DWORD n = GetFinalPathNameByHandleA(file.h, out, DWORD(outSize), FILE_NAME_NORMALIZED);
    return n > 0 && n < outSize;
}

bool MayReplace(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY);
}

bool FlushToDisk(const char* path) {
    Handle file{CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr)};
    return file.h != INVALID_HANDLE_VALUE && FlushFileBuffers(file.h) && file.Close();
}

void FlushFolder(const char*) {} // MOVEFILE_WRITE_THROUGH flushes the rename itself

bool MoveOver(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void Remove(const char* path) {
    DeleteFileA(path);
}

unsigned long ProcessNumber() {
    return GetCurrentProcessId();
}

} // namespace fileio
