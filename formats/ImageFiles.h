// The file layer: LoadImageFile and SaveImageFile choose a reader or writer by
// the last four characters of the name. Readers change the image only after
// the whole input has been validated; writers never destroy an existing file
// when the write fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/Image.h"
#include "formats/FileIo.h"

// The readers refuse images wider or taller than this: no real picture comes
// near it, and it keeps every size computed from it far from overflow.
constexpr int64_t kMaxImageSide = int64_t(1) << 24;
inline bool PlausibleImageSize(int64_t width, int64_t height) {
    return width >= 0 && height >= 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

bool LoadImageFile(CImage& image, const char* fileName);
bool SaveImageFile(CImage& image, const char* fileName, int jpegQuality);

// Every kind of image file the program knows: the name ending that chooses
// it, how the open and save dialogs offer it, its reader and its writer. The
// dispatch above, the dialogs' filter list, the extension a save appends and
// the batch tool's help all come from this one table.
struct ImageFileKind {
    const char* extension;   // ".bmp": four characters, compared without ASCII case
    const char* dialogLabel; // "ビットマップ(*.bmp)"; null when the dialogs do not offer it
    bool (*read)(CImage& image, const char* fileName);
    // null for a kind that is only read: such a name is saved as a bitmap
    bool (*write)(CImage& image, const char* fileName, int jpegQuality);
};
std::span<const ImageFileKind> ImageFileKinds();

// The kind that reads and writes fileName: the row whose extension the name
// ends in, the bitmap for any other name, null for names shorter than five
// characters.
const ImageFileKind* KindOfFile(const char* fileName);

// The kind behind filter index `index` (1 first) of the dialogs; null for the
// closing "all files" entry and beyond.
const ImageFileKind* DialogFileKind(int index);

// The dialogs' filter list: label, zero, pattern, zero for each offered kind,
// then "すべてのファイル(*.*)" and "*.*", ended by one more zero (the string's
// own terminator).
const std::string& DialogFilter();

bool ReadBmp(CImage& image, const char* fileName);
bool ReadBmpFrom(CImage& image, InputFile& file); // the rest of ReadBmp, once the file is open
bool WriteBmp(const CImage& image, const char* fileName);
bool ReadYcc(CImage& image, const char* fileName);
bool WriteYcc(CImage& image, const char* fileName); // uses the auxiliary plane as scratch

// The BMP and YCC formats in memory; the file functions above share their
// checks and layout but read and write a few rows at a time. Decoders change
// the image only on success.
bool DecodeBmp(CImage& image, const uint8_t* data, size_t size);
bool EncodeBmp(const CImage& image, ByteBlock& out);
bool DecodeYcc(CImage& image, const uint8_t* data, size_t size);
bool EncodeYcc(CImage& image, ByteBlock& out); // uses the auxiliary plane as scratch

bool ReadJpeg(CImage& image, const char* fileName);
bool WriteJpeg(const CImage& image, const char* fileName, int quality);
bool ReadMetafile(CImage& image, const char* fileName);

// True when the last four characters of path equal extension (".bmp"),
// ignoring ASCII case.
bool EndsIn(const char* path, const char* extension);
