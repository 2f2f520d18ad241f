// Cutting the image down to a rectangle given by its lower-left pixel.
#include <cstring>

#include "ops/filters/FilterOps.h"

bool CImage::Trim(int32_t x, int32_t y, int32_t w, int32_t h) {
    // The lower-left pixel may not lie in the last column or row.
    if (x < 0 || x >= width_ - 1 || y < 0 || y >= height_ - 1 || w < 1 || h < 1) return false;
    // Clip in 64 bits: x + w may not fit in 32.
    if (int64_t(x) + w > width_) w = width_ - x;
    if (int64_t(y) + h > height_) h = height_ - y;
    const size_t kept = size_t(w) * size_t(h);
    if (2 * kept < PixelCount()) {
        // A small part of the picture: a fresh block, so the large one is released.
        CImage result;
        if (!result.Create(w, h)) return false; // no memory: the image stays as it was
        for (int32_t row = 0; row < h; ++row)
            std::memcpy(result.colour_ + size_t(row) * size_t(w),
                        colour_ + size_t(x) + size_t(y + row) * size_t(width_), 4 * size_t(w));
        Swap(result);
        return true;
    }
    // Most of the picture: the rows move down within the block (a row never
    // lands after where it came from), and the auxiliary plane that follows the
    // shorter colour plane is cleared. The block stays at most twice the size
    // the new image needs.
    for (int32_t row = 0; row < h; ++row)
        std::memmove(colour_ + size_t(row) * size_t(w),
                     colour_ + size_t(x) + size_t(y + row) * size_t(width_), 4 * size_t(w));
    std::memset(colour_ + kept, 0, 4 * kept);
    PointInto(block_, w, h);
    return true;
}
