// Mirror flips and the exchange of the X and Y axes. Each moves raw colour
// words; the flips leave the auxiliary plane as it was, the exchange re-creates
// the image and so leaves it zero.
#include <algorithm>

#include "ops/filters/FilterOps.h"

void FlipVertical(CImage& image) {
    const size_t w = size_t(image.Width());
    const int32_t h = image.Height();
    uint32_t* bits = image.Bits();
    for (int32_t y = 0; y < h / 2; ++y)
        std::swap_ranges(bits + size_t(y) * w, bits + size_t(y + 1) * w,
                         bits + size_t(h - 1 - y) * w);
}

void FlipHorizontal(CImage& image) {
    const size_t w = size_t(image.Width());
    uint32_t* bits = image.Bits();
    for (int32_t y = 0; y < image.Height(); ++y)
        std::reverse(bits + size_t(y) * w, bits + size_t(y + 1) * w);
}

bool ExchangeXY(CImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    CImage result;
    if (!result.Create(h, w)) return false; // no memory: the image stays as it was
    const uint32_t* src = image.Bits();
    uint32_t* dst = result.Bits();
    // Source pixel (i, j) lands at (j, i). Tiles keep both sides in the cache.
    constexpr int32_t kTile = 32;
    for (int32_t j0 = 0; j0 < h; j0 += kTile) {
        const int32_t j1 = std::min(h, j0 + kTile);
        for (int32_t i0 = 0; i0 < w; i0 += kTile) {
            const int32_t i1 = std::min(w, i0 + kTile);
            for (int32_t i = i0; i < i1; ++i) {
                uint32_t* out = dst + size_t(i) * size_t(h);
                for (int32_t j = j0; j < j1; ++j)
                    out[j] = src[size_t(i) + size_t(j) * size_t(w)];
            }
        }
    }
    image.Swap(result);
    return true;
}
