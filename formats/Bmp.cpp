// The 24-bit BMP file: a 14-byte file header, a 40-byte information header and
// the rows. The reader looks only at the first signature byte, the depth, the
// pixel-data offset, the width and the height. Files are read and written a
// few rows at a time; the same header checks and row packing serve the
// in-memory forms.
#include <algorithm>

#include "formats/Dib24.h"
#include "formats/FileFailure.h"
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

// The file's bytes in order: the headers, then as many whole rows as each
// piece holds.
class BmpPieces final : public PieceProducer {
  public:
    explicit BmpPieces(const CImage& image) : image_(image) {}

    size_t Produce(uint8_t* piece, size_t capacity) override {
        size_t n = 0;
        if (!headerDone_) {
            if (capacity < kBmpHeaderBytes) return 0;
            // Signature, file size, two reserved words, data offset.
            piece[0] = 0x42;
            piece[1] = 0x4D;
            PutLe32(piece + 2, uint32_t(BmpFileSize(image_)));
            PutLe32(piece + 6, 0);
            PutLe32(piece + 10, kBmpHeaderBytes);
            PutInfoHeader(image_, piece + kFileHeaderBytes);
            n = kBmpHeaderBytes;
            headerDone_ = true;
        }
        const size_t stride = size_t(DibStride(image_.Width()));
        const int32_t left = image_.Height() - nextRow_;
        const int32_t count =
            stride == 0 ? left : int32_t(std::min<size_t>(size_t(left), (capacity - n) / stride));
        PackDibRows(image_, piece + n, nextRow_, count);
        nextRow_ += count;
        return n + size_t(count) * stride;
    }

  private:
    const CImage& image_;
    bool headerDone_ = false;
    int32_t nextRow_ = 0;
};

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
    BmpPieces pieces(image);
    return pieces.Produce(out.data.get(), out.size) == out.size;
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
    const size_t stride = size_t(DibStride(found.width));
    if (read.PixelCount() > 0) {
        const int32_t perPiece =
            int32_t(std::clamp<size_t>(kFilePieceBytes / stride, 1, size_t(found.rows)));
        ByteBlock piece;
        if (!piece.Allocate(size_t(perPiece) * stride)) return FailWith("out of memory");
        for (int32_t r = 0; r < found.rows; r += perPiece) {
            const int32_t count = std::min(perPiece, found.rows - r);
            if (!file.ReadAt(found.offset + uint64_t(r) * stride, piece.data.get(),
                             size_t(count) * stride))
                return FailWith("read error"); // or the file shrank since its size was taken
            UnpackDibRows(piece.data.get(), read, found.topDown, r, count);
        }
    }
    image.Swap(read);
    return true;
}

bool WriteBmp(const CImage& image, const char* fileName) {
    if (!FitsInBmpFile(image)) return false;
    // A piece holds at least the headers and one row.
    const size_t pieceBytes =
        std::max(kFilePieceBytes, kBmpHeaderBytes + size_t(DibStride(image.Width())));
    BmpPieces pieces(image);
    return WriteFileInPieces(fileName, BmpFileSize(image), pieceBytes, pieces);
}
