// Choosing the reader or writer by the last four characters of the file name.
#include "formats/ImageFiles.h"

#include <cstdint>
#include <cstring>

#include "formats/FileFailure.h"
#include "formats/FileIo.h"

namespace {

bool WriteBmpFile(CImage& image, const char* fileName, int) {
    return WriteBmp(image, fileName);
}
bool WriteJpegFile(CImage& image, const char* fileName, int quality) {
    return WriteJpeg(image, fileName, quality);
}
bool WriteYccFile(CImage& image, const char* fileName, int) {
    return WriteYcc(image, fileName);
}

// The bitmap comes first: it is the kind of every unrecognised name. The
// dialogs offer the kinds with a label in this order.
constexpr ImageFileKind kKinds[] = {
    {.extension = ".bmp",
     .dialogLabel = "ビットマップ(*.bmp)",
     .read = ReadBmp,
     .write = WriteBmpFile},
    {.extension = ".jpg",
     .dialogLabel = "Jpegファイル(*.jpg)",
     .read = ReadJpeg,
     .write = WriteJpegFile},
    {.extension = ".ycc",
     .dialogLabel = "YCrCbファイル(*.ycc)",
     .read = ReadYcc,
     .write = WriteYccFile},
    {.extension = ".wmf", .dialogLabel = nullptr, .read = ReadMetafile, .write = nullptr},
};
constexpr const ImageFileKind& kBitmap = kKinds[0];
constexpr const char* kAllFilesLabel = "すべてのファイル(*.*)";

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string BuildDialogFilter() {
    std::string filter;
    for (const ImageFileKind& kind : kKinds) {
        if (!kind.dialogLabel) continue;
        filter += kind.dialogLabel + std::string(1, '\0') + "*" + kind.extension + '\0';
    }
    return filter + kAllFilesLabel + '\0' + "*.*" + '\0';
}

} // namespace

std::span<const ImageFileKind> ImageFileKinds() {
    return kKinds;
}

const ImageFileKind* KindOfFile(const char* fileName) {
    if (!fileName || std::strlen(fileName) < 5) return nullptr;
    for (const ImageFileKind& kind : kKinds)
        if (EndsIn(fileName, kind.extension)) return &kind;
    return &kBitmap;
}

const ImageFileKind* DialogFileKind(int index) {
    for (const ImageFileKind& kind : kKinds)
        if (kind.dialogLabel && --index == 0) return &kind;
    return nullptr;
}

const std::string& DialogFilter() {
    static const std::string filter = BuildDialogFilter();
    return filter;
}

bool EndsIn(const char* path, const char* extension) {
    if (!path || !extension) return false;
    const size_t n = std::strlen(path), m = std::strlen(extension);
    if (n < m) return false;
    for (size_t i = 0; i < m; ++i)
        if (AsciiLower(path[n - m + i]) != AsciiLower(extension[i])) return false;
    return true;
}

bool LoadImageFile(CImage& image, const char* fileName) {
    ClearFileFailure();
    const ImageFileKind* kind = KindOfFile(fileName);
    if (!kind) return FailWith("file name too short");
    // Every reader, the JPEG library's too, gets an existing regular file: a
    // named pipe or a device would block or never end.
    if (InputFile probe; !probe.Open(fileName, UINT64_MAX)) return false;
    if (kind->read(image, fileName)) return true;
    FailWithIfNone("cannot read the file");
    return false;
}

bool SaveImageFile(CImage& image, const char* fileName, int jpegQuality) {
    ClearFileFailure();
    const ImageFileKind* kind = KindOfFile(fileName);
    if (!kind) return FailWith("file name too short");
    const ImageFileKind& writer = kind->write ? *kind : kBitmap; // read-only kinds save as bitmaps
    if (writer.write(image, fileName, jpegQuality)) return true;
    FailWithIfNone("cannot write the file");
    return false;
}
