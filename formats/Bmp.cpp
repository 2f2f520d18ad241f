// The 24-bit BMP file: a 14-byte file header, a 40-byte information header and
// the rows. The reader looks only at the first signature byte, the depth, the
// pixel-data offset, the width and the height.
#include "formats/Dib24.h"
#include "formats/ImageFiles.h"
#include "ops/filters/FilterOps.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kBmpHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;

} // namespace

bool DecodeBmp(CImage& image, const uint8_t* data, size_t size) {
    if (!data || size < kBmpHeaderBytes || data[0] != 0x42 || GetLe16(data + 28) != 24)
        return false;
    const uint32_t offset = GetLe32(data + 10);
    const int64_t width = GetLeSigned32(data + 18);
    const int64_t height = GetLeSigned32(data + 22);
    const bool topDown = height < 0; // its magnitude is the number of rows
    const int64_t rows = topDown ? -height : height;
    if (!DibRowsFit(offset, width, rows, size)) return false;
    if (!image.Create(int32_t(width), int32_t(rows))) return false;
    UnpackDibRows(data + offset, image);
    if (topDown) FlipVertical(image); // the file's first row is the top row
    return true;
}

bool EncodeBmp(const CImage& image, ByteBlock& out) {
    const uint64_t fileSize = kBmpHeaderBytes + DibStride(image.Width()) * uint64_t(image.Height());
    // A file beyond 4 GiB cannot state its own size.
    if (fileSize > UINT32_MAX || !out.Allocate(size_t(fileSize))) return false;
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
