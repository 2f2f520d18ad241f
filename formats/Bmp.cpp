// The 24-bit BMP file: a 14-byte file header, a 40-byte information header and
// the rows. The reader looks only at the first signature byte, the depth, the
// pixel-data offset, the width and the height. Files are read and written a
// few rows at a time; the same header checks and row packing serve the
// in-memory forms.
#include <algorithm>

#include "formats/Dib24.h"
#include "formats/FileFailure.h"
#include "formats/FileRows.h"
#include "formats/ImageFiles.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kBmpHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;

// Where a valid file's rows are.
struct BmpRows {
    uint32_t offset = 0;
    int32_t width = 0;
    int32_t rows = 0;
    bool topDown = false;
};

// Checks the header of a file of size bytes; head holds its first
// min(size, kBmpHeaderBytes) bytes.
bool CheckBmpHeader(const uint8_t* head, uint64_t size, BmpRows& found) {
    if (size == 0) return FailWith("empty file");
    if (head[0] != 0x42) return FailWith("not a BMP file");
    if (size < kBmpHeaderBytes) return FailWith("truncated");
    if (GetLe16(head + 28) != 24) return FailWith("unsupported BMP: not 24 bits per pixel");
    const int64_t width = GetLeSigned32(head + 18);
    const int64_t height = GetLeSigned32(head + 22);
    found.offset = GetLe32(head + 10);
    found.topDown = height < 0; // its magnitude is the number of rows
    const int64_t rows = found.topDown ? -height : height;
    if (!DibRowsFit(found.offset, width, rows, size_t(std::min<uint64_t>(size, SIZE_MAX))))
        return false;
    found.width = int32_t(width);
    found.rows = int32_t(rows);
    return true;
}

uint64_t BmpFileSize(const CImage& image) {
    return kBmpHeaderBytes + DibStride(image.Width()) * uint64_t(image.Height());
}

// A file beyond 4 GiB cannot state its own size.
bool FitsInBmpFile(const CImage& image) {
    return BmpFileSize(image) <= UINT32_MAX || FailWith("image too large for a BMP file");
}

void PutBmpHeaders(const CImage& image, uint8_t* p) {
    // Signature, file size, two reserved words, data offset.
    p[0] = 0x42;
    p[1] = 0x4D;
    PutLe32(p + 2, uint32_t(BmpFileSize(image)));
    PutLe32(p + 6, 0);
    PutLe32(p + 10, kBmpHeaderBytes);
    PutInfoHeader(image, p + kFileHeaderBytes);
}

} // namespace

bool DecodeBmp(CImage& image, const uint8_t* data, size_t size) {
    if (!data) return FailWith("empty file");
    BmpRows found;
    if (!CheckBmpHeader(data, size, found)) return false;
    if (!image.Create(found.width, found.rows)) return FailWith("out of memory");
    UnpackDibRows(data + found.offset, image, found.topDown);
    return true;
}

bool EncodeBmp(const CImage& image, ByteBlock& out) {
    if (!FitsInBmpFile(image)) return false;
    if (!out.Allocate(size_t(BmpFileSize(image)))) return FailWith("out of memory");
    PutBmpHeaders(image, out.data.get());
    PackDibRows(image, out.data.get() + kBmpHeaderBytes);
    return true;
}

bool ReadBmp(CImage& image, const char* fileName) {
    InputFile file;
    return file.Open(fileName) && ReadBmpFrom(image, file);
}

bool ReadBmpFrom(CImage& image, InputFile& file) {
    uint8_t head[kBmpHeaderBytes];
    if (!file.ReadAt(0, head, size_t(std::min<uint64_t>(file.Size(), kBmpHeaderBytes))))
        return FailWith("read error");
    BmpRows found;
    if (!CheckBmpHeader(head, file.Size(), found)) return false;
    // The rows go into a picture of its own, which replaces the image only
    // once every row has been read.
    CImage read;
    if (!read.Create(found.width, found.rows)) return FailWith("out of memory");
    auto unpack = [&](const uint8_t* piece, int32_t first, int32_t count) {
        UnpackDibRows(piece, read, found.topDown, first, count);
    };
    if (!ReadRowsInPieces(file, found.offset, size_t(DibStride(found.width)), found.rows, unpack))
        return false;
    image.Swap(read);
    return true;
}

bool WriteBmp(const CImage& image, const char* fileName) {
    if (!FitsInBmpFile(image)) return false;
    uint8_t header[kBmpHeaderBytes];
    PutBmpHeaders(image, header);
    auto pack = [&](uint8_t* piece, int32_t first, int32_t count) {
        PackDibRows(image, piece, first, count);
    };
    return WriteRowsInPieces(fileName, header, kBmpHeaderBytes, size_t(DibStride(image.Width())),
                             image.Height(), pack);
}
