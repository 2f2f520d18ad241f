// Sums over the square window of every pixel of a row, for the blur and the
// unsharp mask: per-column sums slide down the image one row at a time, and
// the window sums slide along the row. Rows are overwritten as they are
// finished, so the unchanged rows the sums still need are kept in a ring,
// spread.
//
// The three channel sums travel packed in one word, 21 bits each, so one add
// updates all three. A sum only loses what it gained before, so no field
// ever borrows from its neighbour; (2 x 7 + 1)^2 x 255 fits in 21 bits.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Image.h"

namespace window_sums {

// Red in bits 42-62, green in 21-41, blue in 0-20.
inline uint64_t Spread(uint32_t word) {
    return (uint64_t(word >> 16 & 0xFF) << 42) | (uint64_t(word >> 8 & 0xFF) << 21) |
           uint64_t(word & 0xFF);
}
// Channel 0 red, 1 green, 2 blue.
inline int32_t Field(uint64_t sums, int channel) {
    return int32_t(sums >> (42 - 21 * channel) & 0x1FFFFF);
}

} // namespace window_sums

class WindowSums {
  public:
    static constexpr int32_t kLargestRange = 7;

    // The window of (x, y) is rows y-range..y+range and columns
    // x-range..x+range, clipped to the image; 1 <= range <= kLargestRange.
    bool Init(const CImage& image, int32_t range);

    // Call before row y is overwritten; rows come in order from 0.
    void BeginRow(int32_t y);
    // Call after row y is finished, to move the column sums down to row y+1.
    void EndRow(int32_t y);

    // Padded by range zeros on each side and one more on the right: entry
    // x + range belongs to column x, so a window starting at entry x ends at
    // x + 2 * range and the slide reads entry x + 2 * range + 1.
    // Column sums over the window's rows.
    const uint64_t* Column() const { return column_.get() + range_; }
    // Row y as it was, spread, for y-range <= row <= y during row y.
    const uint64_t* Original(int32_t row) const {
        return ring_.get() + size_t(row % (range_ + 1)) * stride_ + range_;
    }
    // The current row as it was, spread.
    const uint64_t* Row() const { return Original(row_); }
    // Pixels of the window inside the image in each direction.
    int32_t ColumnsInside(int32_t x) const { return columnsInside_[x]; }
    int32_t RowsInside(int32_t y) const;
    int32_t Width() const { return width_; }

  private:
    const CImage* image_ = nullptr;
    int32_t width_ = 0, height_ = 0, range_ = 0, row_ = 0;
    size_t stride_ = 0;
    std::unique_ptr<uint64_t[]> column_, ring_;
    std::unique_ptr<int32_t[]> columnsInside_;
};
