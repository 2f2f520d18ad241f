// Sums over the square window of every pixel of a row, for the blur and the
// unsharp mask: per-column sums slide down the image one row at a time, and
// the window sums slide along the row. Rows are overwritten as they are
// finished, so the unchanged rows the sums still need are kept in a ring.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Image.h"

class WindowSums {
  public:
    // The window of (x, y) is rows y-range..y+range and columns
    // x-range..x+range, clipped to the image; range >= 1.
    bool Init(const CImage& image, int32_t range);

    // Call before row y is overwritten; rows come in order from 0.
    void BeginRow(int32_t y);
    // Call after row y is finished, to move the column sums down to row y+1.
    void EndRow(int32_t y);

    int32_t Range() const { return range_; }
    // Row y as it was, for y-range <= row <= y during row y.
    const uint32_t* Original(int32_t row) const {
        return ring_.get() + size_t(row % (range_ + 1)) * size_t(width_);
    }
    // Padded by range zeros on each side and one more on the right: entry
    // x + range belongs to column x, so a window starting at entry x ends at
    // x + 2 * range and the slide reads entry x + 2 * range + 1.
    // Column sums over the window's rows, and over those below the pixel.
    const int32_t* Column(int channel) const { return Padded(0, channel); }
    const int32_t* ColumnBelow(int channel) const { return Padded(1, channel); }
    // The channels of the current row itself.
    const int32_t* Row(int channel) const { return Padded(2, channel); }
    // Pixels of the window inside the image in each direction.
    int32_t ColumnsInside(int32_t x) const { return columnsInside_[x]; }
    int32_t RowsInside(int32_t y) const;

  private:
    int32_t* Padded(int kind, int channel) const {
        return padded_.get() + size_t(3 * kind + channel) * stride_;
    }
    void AddRow(int kind, const uint32_t* row, int32_t sign);

    const CImage* image_ = nullptr;
    int32_t width_ = 0, height_ = 0, range_ = 0;
    size_t stride_ = 0;
    std::unique_ptr<int32_t[]> padded_, columnsInside_;
    std::unique_ptr<uint32_t[]> ring_;
};
