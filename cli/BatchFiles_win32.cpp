#include <windows.h>

#include "cli/BatchFiles.h"

namespace batchfiles {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}

// The places after each separator, stepping over double-byte characters
// whose second byte may look like a backslash.
template <typename Visit> void ForEachSeparator(const std::string& path, Visit visit) {
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(BYTE(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (IsSeparator(path[i])) visit(i);
    }
}

struct FileIdentity {
    DWORD volume = 0, high = 0, low = 0;
};

bool IdentityOf(const std::string& path, FileIdentity& identity) {
    HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return known;
}

} // namespace

size_t NameStart(const std::string& path) {
    size_t start = 0;
    ForEachSeparator(path, [&](size_t at) { start = at + 1; });
    return start;
}

bool MakeFolder(const std::string& path) {
    ForEachSeparator(path, [&](size_t at) {
        if (at > 0) CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    });
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SameFile(const std::string& a, const std::string& b) {
    FileIdentity first, second;
    return IdentityOf(a, first) && IdentityOf(b, second) && first.volume == second.volume &&
           first.high == second.high && first.low == second.low;
}

} // namespace batchfiles
