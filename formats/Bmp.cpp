// The 24-bit BMP file: a 14-byte file header, a 40-byte information header and
// the rows. The reader looks only at the first signature byte, the depth, the
// pixel-data offset, the width and the height.
#include "formats/Dib24.h"
#include "formats/FileFailure.h"
#include "formats/ImageFiles.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kBmpHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;

} // namespace

bool DecodeBmp(CImage& image, const uint8_t* data, size_t size) {
    if (!data || size == 0) return FailWith("empty file");
    if (data[0] != 0x42) return FailWith("not a BMP file");
    if (size < kBmpHeaderBytes) return FailWith("truncated");
    if (GetLe16(data + 28) != 24) return FailWith("unsupported BMP: not 24 bits per pixel");
    const uint32_t offset = GetLe32(data + 10);
    const int64_t width = GetLeSigned32(data + 18);
    const int64_t height = GetLeSigned32(data + 22);
    const bool topDown = height < 0; // its magnitude is the number of rows
    const int64_t rows = topDown ? -height : height;
    if (!DibRowsFit(offset, width, rows, size)) return false;
    if (!image.Create(int32_t(width), int32_t(rows))) return FailWith("out of memory");
    UnpackDibRows(data + offset, image, topDown);
    return true;
}

bool EncodeBmp(const CImage& image, ByteBlock& out) {
    const uint64_t fileSize = kBmpHeaderBytes + DibStride(image.Width()) * uint64_t(image.Height());
    // A file beyond 4 GiB cannot state its own size.
    if (fileSize > UINT32_MAX) return FailWith("image too large for a BMP file");
    if (!out.Allocate(size_t(fileSize))) return FailWith("out of memory");
    uint8_t* p = out.data.get();
    // The 14-byte file header: signature, file size, two reserved words, data offset.
    p[0] = 0x42;
    p[1] = 0x4D;
    PutLe32(p + 2, uint32_t(fileSize));
    PutLe32(p + 6, 0);
    PutLe32(p + 10, kBmpHeaderBytes);
    PutInfoHeader(image, p + kFileHeaderBytes);
    PackDibRows(image, p + kBmpHeaderBytes);
    return true;
}

bool ReadBmp(CImage& image, const char* fileName) {
    ByteBlock file;
    return ReadWholeFile(fileName, file) && DecodeBmp(image, file.data.get(), file.size);
}

bool WriteBmp(const CImage& image, const char* fileName) {
    ByteBlock file;
    return EncodeBmp(image, file) && WriteWholeFile(fileName, file.data.get(), file.size);
}
