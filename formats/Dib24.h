// What the BMP file and the clipboard's packed bitmap share: rows of 24-bit pixels (blue, green,
// red), each row padded with zeros to a multiple of 4 bytes, row 0 the bottom row unless top-down.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Image.h"
#include "formats/LittleEndian.h"

// Bytes per row of a 24-bit bitmap of the given width (>= 0).
inline uint64_t DibStride(int64_t width) {
    return (uint64_t(width) * 3 + 3) & ~uint64_t(3);
}

// True when the rows of a width x rows bitmap starting at offset lie within
// size bytes, and the size is one the readers accept (see kMaxImageSide).
bool DibRowsFit(uint64_t offset, int64_t width, int64_t rows, size_t size);

// The 40-byte BITMAPINFOHEADER of a 24-bit bottom-up bitmap of the image.
constexpr size_t kInfoHeaderBytes = 40;
void PutInfoHeader(const CImage& image, uint8_t* dst);

// Fills the colour plane of image (already created with the bitmap's size) from
// the bitmap's rows first .. first + count - 1 (row 0 the first in the file),
// which src holds: row r into image row r, or into row height - 1 - r when the
// bitmap is top-down (its first row is the top row).
void UnpackDibRows(const uint8_t* src, CImage& image, bool topDown, int32_t first, int32_t count);
inline void UnpackDibRows(const uint8_t* src, CImage& image, bool topDown = false) {
    UnpackDibRows(src, image, topDown, 0, image.Height());
}

// Writes image rows first .. first + count - 1 of the colour plane as
// bottom-up rows at dst, padding included.
void PackDibRows(const CImage& image, uint8_t* dst, int32_t first, int32_t count);
inline void PackDibRows(const CImage& image, uint8_t* dst) {
    PackDibRows(image, dst, 0, image.Height());
}
