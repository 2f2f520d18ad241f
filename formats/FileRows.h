// Files made of a header and rows of equal length (the BMP and YCC files),
// read and written a few whole rows at a time through one reused buffer.
#pragma once

#include <algorithm>
#include <cstring>

#include "formats/FileFailure.h"
#include "formats/FileIo.h"

// How many rows of stride bytes (> 0) one piece holds: as many as fit in
// kFilePieceBytes, at least one, at most rows (> 0).
inline int32_t RowsPerPiece(size_t stride, int32_t rows) {
    return int32_t(std::clamp<size_t>(kFilePieceBytes / stride, 1, size_t(rows)));
}

// Reads rows rows of stride bytes from offset, handing each piece to
// take(piece, first, count), which holds rows first .. first + count - 1.
// False, with the reason, when the buffer cannot be had or a read fails.
template <class Take>
bool ReadRowsInPieces(InputFile& file, uint64_t offset, size_t stride, int32_t rows, Take take) {
    if (stride == 0 || rows <= 0) return true;
    const int32_t perPiece = RowsPerPiece(stride, rows);
    ByteBlock piece;
    if (!piece.Allocate(size_t(perPiece) * stride)) return FailWith("out of memory");
    for (int32_t first = 0; first < rows; first += perPiece) {
        const int32_t count = std::min(perPiece, rows - first);
        if (!file.ReadAt(offset + uint64_t(first) * stride, piece.data.get(),
                         size_t(count) * stride))
            return FailWith("read error"); // or the file shrank since its size was taken
        take(static_cast<const uint8_t*>(piece.data.get()), first, count);
    }
    return true;
}

// Writes header[0..headerBytes) and rows rows of stride bytes as the file at
// path (see WriteFileInPieces); pack(piece, first, count) puts rows first ..
// first + count - 1 at piece.
template <class Pack>
bool WriteRowsInPieces(const char* path, const uint8_t* header, size_t headerBytes, size_t stride,
                       int32_t rows, Pack pack) {
    class Rows final : public PieceProducer {
      public:
        Rows(const uint8_t* header, size_t headerBytes, size_t stride, int32_t rows, Pack& pack)
            : header_(header), headerBytes_(headerBytes), stride_(stride), rows_(rows),
              pack_(pack) {}

        size_t Produce(uint8_t* piece, size_t capacity) override {
            size_t n = 0;
            if (header_) {
                if (capacity < headerBytes_) return 0;
                std::memcpy(piece, header_, headerBytes_);
                n = headerBytes_;
                header_ = nullptr;
            }
            if (stride_ == 0) return n; // rows without bytes
            const int32_t count =
                int32_t(std::min<size_t>(size_t(rows_ - next_), (capacity - n) / stride_));
            if (count > 0) pack_(piece + n, next_, count);
            next_ += count;
            return n + size_t(count) * stride_;
        }

      private:
        const uint8_t* header_;
        size_t headerBytes_, stride_;
        int32_t rows_, next_ = 0;
        Pack& pack_;
    };
    Rows producer(header, headerBytes, stride, rows, pack);
    // A piece holds at least the header and one row.
    return WriteFileInPieces(path, headerBytes + uint64_t(stride) * uint64_t(rows),
                             std::max(kFilePieceBytes, headerBytes + stride), producer);
}
