// The median filter: each pixel takes the colour of a neighbour chosen by
// luminance rank.
#include <algorithm>
#include <cstring>
#include <utility>

#include "ops/colour/PixelMath.h"
#include "ops/filters/FilterOps.h"
#include "ops/filters/Neighbourhood.h"

using namespace neighbourhood;

namespace {

// A row of the unchanged image and the luminance of each of its pixels.
struct MedianRow {
    uint32_t* colour;
    int16_t* luminance;
    void Load(const uint32_t* row, int32_t w) {
        const LuminanceTables& lum = Luminance();
        std::memcpy(colour, row, size_t(w) * sizeof *row);
        for (int32_t x = 0; x < w; ++x)
            luminance[x] = int16_t(lum(row[x]));
    }
};

// The general rule, for pixels whose neighbourhood leaves the image: the
// value at rank 4 + n/2 of the nine luminances, outside positions counting
// as -1 and sorting first, and the colour of the first pixel with that
// luminance in the highest row that has one. rows[0..2] are the rows below,
// at and above the pixel, null outside the image. Without a match (a
// single-row or single-column image, where the rank lands on a -1) the pixel
// keeps its colour.
uint32_t MedianAtBorder(const MedianRow* const rows[3], int32_t x, int32_t w, uint32_t current) {
    int32_t values[9];
    int n = 0;
    for (int r = 0; r < 3; ++r)
        for (int32_t dx = -1; dx <= 1; ++dx) {
            const bool inside = rows[r] && x + dx >= 0 && x + dx < w;
            values[3 * r + dx + 1] = inside ? rows[r]->luminance[x + dx] : -1;
            n += inside;
        }
    std::sort(values, values + 9);
    const int32_t chosen = values[4 + n / 2];
    for (int r = 2; r >= 0; --r) {
        if (!rows[r]) continue;
        for (int32_t dx = -1; dx <= 1; ++dx)
            if (x + dx >= 0 && x + dx < w && rows[r]->luminance[x + dx] == chosen)
                return rows[r]->colour[x + dx] & 0x00FFFFFFu;
    }
    return current;
}

// An inner pixel has all nine neighbours, and rank 8 is the brightest.
uint32_t MedianInner(const MedianRow* const rows[3], int32_t x) {
    int16_t brightest = 0;
    for (int r = 0; r < 3; ++r)
        brightest = std::max({brightest, rows[r]->luminance[x - 1], rows[r]->luminance[x],
                              rows[r]->luminance[x + 1]});
    for (int r = 2; r >= 0; --r)
        for (int32_t dx = -1; dx <= 1; ++dx)
            if (rows[r]->luminance[x + dx] == brightest)
                return rows[r]->colour[x + dx] & 0x00FFFFFFu;
    return 0; // not reached: the brightest is one of the nine
}

} // namespace

bool CImage::MedianFilter() {
    const int32_t w = width_, h = height_;
    if (w == 0 || h == 0) return true;
    // Three rolling copies of the unchanged rows, loaded before the image row
    // is overwritten.
    auto colours = NewScratch<uint32_t>(3 * size_t(w));
    auto lums = NewScratch<int16_t>(3 * size_t(w));
    if (!colours || !lums) return false;
    MedianRow store[3];
    for (int r = 0; r < 3; ++r)
        store[r] = {colours.get() + size_t(r) * w, lums.get() + size_t(r) * w};
    MedianRow* below = &store[0];
    MedianRow* at = &store[1];
    MedianRow* above = &store[2];
    at->Load(colour_, w);
    if (h > 1) above->Load(colour_ + w, w);
    for (int32_t y = 0; y < h; ++y) {
        const MedianRow* const rows[3] = {y > 0 ? below : nullptr, at, y + 1 < h ? above : nullptr};
        uint32_t* out = colour_ + size_t(y) * w;
        const bool innerRow = y > 0 && y + 1 < h;
        for (int32_t x = 0; x < w; ++x)
            out[x] = innerRow && x > 0 && x + 1 < w ? MedianInner(rows, x)
                                                    : MedianAtBorder(rows, x, w, out[x]);
        std::swap(below, at);
        std::swap(at, above);
        if (y + 2 < h) above->Load(colour_ + size_t(y + 2) * w, w);
    }
    return true;
}
