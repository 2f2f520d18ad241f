// Choosing the reader or writer by the last four characters of the file name.
#include "formats/ImageFiles.h"

#include <cstring>

namespace {

enum class FileKind { None, Jpeg, Ycc, Metafile, Bitmap };

// Names shorter than five characters are refused; the rest are tested in this
// order, and anything unrecognised is a bitmap.
FileKind KindOf(const char* fileName) {
    if (!fileName || std::strlen(fileName) < 5) return FileKind::None;
    if (EndsIn(fileName, ".jpg")) return FileKind::Jpeg;
    if (EndsIn(fileName, ".ycc")) return FileKind::Ycc;
    if (EndsIn(fileName, ".wmf")) return FileKind::Metafile;
    return FileKind::Bitmap;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

bool EndsIn(const char* path, const char* extension) {
    if (!path || !extension) return false;
    const size_t n = std::strlen(path), m = std::strlen(extension);
    if (n < m) return false;
    for (size_t i = 0; i < m; ++i)
        if (AsciiLower(path[n - m + i]) != AsciiLower(extension[i])) return false;
    return true;
}

bool LoadImageFile(CImage& image, const char* fileName) {
    switch (KindOf(fileName)) {
    case FileKind::None:
        return false;
    case FileKind::Jpeg:
        return ReadJpeg(image, fileName);
    case FileKind::Ycc:
        return ReadYcc(image, fileName);
    case FileKind::Metafile:
        return ReadMetafile(image, fileName);
    case FileKind::Bitmap:
        return ReadBmp(image, fileName);
    }
    return false;
}

bool SaveImageFile(CImage& image, const char* fileName, int jpegQuality) {
    switch (KindOf(fileName)) {
    case FileKind::None:
        return false;
    case FileKind::Jpeg:
        return WriteJpeg(image, fileName, jpegQuality);
    case FileKind::Ycc:
        return WriteYcc(image, fileName);
    case FileKind::Metafile: // metafiles are read only; the picture is saved as a bitmap
    case FileKind::Bitmap:
        return WriteBmp(image, fileName);
    }
    return false;
}
