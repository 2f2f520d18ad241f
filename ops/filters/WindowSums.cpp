#include "ops/filters/WindowSums.h"

#include <algorithm>
#include <cstring>

#include "ops/filters/Neighbourhood.h"

using namespace neighbourhood;
using window_sums::Spread;

bool WindowSums::Init(const CImage& image, int32_t range) {
    image_ = &image;
    width_ = image.Width();
    height_ = image.Height();
    range_ = range;
    stride_ = size_t(width_) + 2 * size_t(range) + 1;
    padded_ = NewScratch<uint64_t>(2 * stride_);
    columnsInside_ = NewScratch<int32_t>(size_t(width_));
    ring_ = NewScratch<uint32_t>(size_t(range + 1) * size_t(width_));
    zeros_ = NewScratch<uint32_t>(size_t(width_));
    if (!padded_ || !columnsInside_ || !ring_ || !zeros_) return false;
    for (int32_t x = 0; x < width_; ++x)
        columnsInside_[x] = std::min(range, x) + std::min(range, width_ - 1 - x) + 1;
    uint64_t* column = Padded(0);
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
    uint32_t* kept = ring_.get() + size_t(y % (range_ + 1)) * size_t(width_);
    std::memcpy(kept, row, size_t(width_) * sizeof *row);
    uint64_t* own = Padded(1);
    for (int32_t x = 0; x < width_; ++x)
        own[x] = Spread(row[x]);
}

void WindowSums::EndRow(int32_t y) {
    // The row range rows below leaves the window; the row range rows above
    // enters it (it has not been overwritten yet).
    const uint32_t* leaving = y - range_ >= 0 ? Original(y - range_) : zeros_.get();
    const uint32_t* entering = y + range_ + 1 < height_
                                   ? image_->Bits() + size_t(y + range_ + 1) * size_t(width_)
                                   : zeros_.get();
    uint64_t* column = Padded(0);
    for (int32_t x = 0; x < width_; ++x)
        column[x] = column[x] + Spread(entering[x]) - Spread(leaving[x]);
}
