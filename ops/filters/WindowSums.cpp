#include "ops/filters/WindowSums.h"

#include <algorithm>
#include <cstring>

#include "ops/filters/Neighbourhood.h"

using namespace neighbourhood;

bool WindowSums::Init(const CImage& image, int32_t range) {
    image_ = &image;
    width_ = image.Width();
    height_ = image.Height();
    range_ = range;
    stride_ = size_t(width_) + 2 * size_t(range) + 1;
    padded_ = NewScratch<int32_t>(9 * stride_);
    columnsInside_ = NewScratch<int32_t>(size_t(width_));
    ring_ = NewScratch<uint32_t>(size_t(range + 1) * size_t(width_));
    if (!padded_ || !columnsInside_ || !ring_) return false;
    for (int32_t x = 0; x < width_; ++x)
        columnsInside_[x] = std::min(range, x) + std::min(range, width_ - 1 - x) + 1;
    const uint32_t* bits = image.Bits();
    for (int32_t y = 0; y <= std::min(range, height_ - 1); ++y)
        AddRow(0, bits + size_t(y) * size_t(width_), 1);
    return true;
}

int32_t WindowSums::RowsInside(int32_t y) const {
    return std::min(range_, y) + std::min(range_, height_ - 1 - y) + 1;
}

void WindowSums::AddRow(int kind, const uint32_t* row, int32_t sign) {
    for (int c = 0; c < 3; ++c) {
        int32_t* sums = Padded(kind, c) + range_;
        for (int32_t x = 0; x < width_; ++x)
            sums[x] += sign * int32_t(ChannelOf(row[x], c));
    }
}

void WindowSums::BeginRow(int32_t y) {
    const uint32_t* row = image_->Bits() + size_t(y) * size_t(width_);
    uint32_t* kept = ring_.get() + size_t(y % (range_ + 1)) * size_t(width_);
    std::memcpy(kept, row, size_t(width_) * sizeof *row);
    for (int c = 0; c < 3; ++c) {
        int32_t* own = Padded(2, c) + range_;
        for (int32_t x = 0; x < width_; ++x)
            own[x] = int32_t(ChannelOf(row[x], c));
    }
}

void WindowSums::EndRow(int32_t y) {
    // The row range rows below leaves the window; the row range rows above
    // enters it (it has not been overwritten yet); row y joins the rows below.
    if (y - range_ >= 0) {
        AddRow(0, Original(y - range_), -1);
        AddRow(1, Original(y - range_), -1);
    }
    if (y + range_ + 1 < height_)
        AddRow(0, image_->Bits() + size_t(y + range_ + 1) * size_t(width_), 1);
    AddRow(1, Original(y), 1);
}
