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

OutputFile::~OutputFile() {
    if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool OutputFile::Open(const char* path) {
    handle_ = reinterpret_cast<intptr_t>(CreateFileA(
        path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle_ != -1;
}

bool OutputFile::Write(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t done = 0;
    while (done < size) {
        const size_t left = size - done;
        DWORD n = 0;
        if (!::WriteFile(reinterpret_cast<HANDLE>(handle_), bytes + done,
                         left < kChunk ? DWORD(left) : kChunk, &n, nullptr) ||
            n == 0)
            return false;
        done += n;
        written_ += n;
    }
    return true;
}

bool OutputFile::Close() {
    const BOOL ok = CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
    return ok != FALSE;
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

InputFile::~InputFile() {
    if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool InputFile::Open(const char* path, uint64_t maxBytes) {
    // Shared as fopen shares (the JPEG reader's way): a picture another program
    // has open, a viewer say, still opens. A file that shrinks meanwhile fails
    // its read and leaves the image as it was.
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle_ = reinterpret_cast<intptr_t>(file);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return FailWith(missing ? "no such file" : "cannot open the file");
    }
    LARGE_INTEGER size;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0)
        return FailWith("not a regular file");
    if (uint64_t(size.QuadPart) > maxBytes) return FailWith("file too large");
    size_ = uint64_t(size.QuadPart);
    return true;
}

bool InputFile::ReadAt(uint64_t offset, void* to, size_t n) {
    auto* bytes = static_cast<uint8_t*>(to);
    size_t done = 0;
    while (done < n) {
        const size_t left = n - done;
        const uint64_t at = offset + done;
        OVERLAPPED where = {};
        where.Offset = DWORD(at);
        where.OffsetHigh = DWORD(at >> 32);
        DWORD got = 0;
        if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), bytes + done,
                        left < fileio::kChunk ? DWORD(left) : fileio::kChunk, &got, &where) ||
            got == 0)
            return false;
        done += got;
    }
    return true;
}
