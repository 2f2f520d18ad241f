#include "ops/filters/WindowSums.h"

#include <algorithm>

#include "ops/filters/Neighbourhood.h"

using namespace neighbourhood;
using window_sums::Spread;

bool WindowSums::Init(const CImage& image, int32_t range) {
    image_ = &image;
    width_ = image.Width();
    height_ = image.Height();
    range_ = range;
    row_ = 0;
    stride_ = size_t(width_) + 2 * size_t(range) + 1;
    column_ = NewScratch<uint64_t>(stride_);
    ring_ = NewScratch<uint64_t>(size_t(range + 1) * stride_);
    columnsInside_ = NewScratch<int32_t>(size_t(width_));
    if (!column_ || !ring_ || !columnsInside_) return false;
    for (int32_t x = 0; x < width_; ++x)
        columnsInside_[x] = std::min(range, x) + std::min(range, width_ - 1 - x) + 1;
    uint64_t* column = column_.get() + range_;
    for (int32_t y = 0; y <= std::min(range, height_ - 1); ++y) {
        const uint32_t* row = image.Bits() + size_t(y) * size_t(width_);
        for (int32_t x = 0; x < width_; ++x)
            column[x] += Spread(row[x]);
    }
    return true;
}

int32_t WindowSums::RowsInside(int32_t y) const {
    return std::min(range_, y) + std::min(range_, height_ - 1 - y) + 1;
}

void WindowSums::BeginRow(int32_t y) {
    const uint32_t* row = image_->Bits() + size_t(y) * size_t(width_);
    row_ = y;
    uint64_t* kept = ring_.get() + size_t(y % (range_ + 1)) * stride_ + range_;
    for (int32_t x = 0; x < width_; ++x)
        kept[x] = Spread(row[x]);
}

void WindowSums::EndRow(int32_t y) {
    // The row range rows above enters the window (it has not been overwritten
    // yet); the row range rows below leaves it.
    uint64_t* column = column_.get() + range_;
    if (y + range_ + 1 < height_) {
        const uint32_t* entering = image_->Bits() + size_t(y + range_ + 1) * size_t(width_);
        for (int32_t x = 0; x < width_; ++x)
            column[x] += Spread(entering[x]);
    }
    if (y - range_ >= 0) {
        const uint64_t* leaving = Original(y - range_);
        for (int32_t x = 0; x < width_; ++x)
            column[x] -= leaving[x];
    }
}
