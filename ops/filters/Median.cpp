// The median filter: each pixel takes the colour of a neighbour chosen by
// luminance rank.
#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define IROMAKI_SSE2 1
#endif

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

#ifdef IROMAKI_SSE2
// MedianInner for the eight pixels from x on (x + 8 < width): the brightest of
// each neighbourhood, then the colours of the positions that match it laid
// over each other in reverse search order, so that the first match is on top.
void MedianInnerEight(const MedianRow* const rows[3], int32_t x, uint32_t* out) {
    auto luminance = [&](int r, int32_t dx) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r]->luminance + x + dx));
    };
    auto colours = [&](int r, int32_t dx, int half) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r]->colour + x + dx + 4 * half));
    };
    __m128i brightest = luminance(0, -1);
    for (int r = 0; r < 3; ++r)
        for (int32_t dx = -1; dx <= 1; ++dx)
            brightest = _mm_max_epi16(brightest, luminance(r, dx));
    __m128i chosen[2] = {_mm_setzero_si128(), _mm_setzero_si128()};
    for (int r = 0; r < 3; ++r)
        for (int32_t dx = 1; dx >= -1; --dx) {
            const __m128i match = _mm_cmpeq_epi16(luminance(r, dx), brightest);
            const __m128i matches[2] = {_mm_unpacklo_epi16(match, match),
                                        _mm_unpackhi_epi16(match, match)};
            for (int half = 0; half < 2; ++half)
                chosen[half] = _mm_or_si128(_mm_and_si128(matches[half], colours(r, dx, half)),
                                            _mm_andnot_si128(matches[half], chosen[half]));
        }
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    for (int half = 0; half < 2; ++half)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * half), _mm_and_si128(chosen[half], rgb));
}
#endif

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
        if (y == 0 || y + 1 == h) {
            for (int32_t x = 0; x < w; ++x)
                out[x] = MedianAtBorder(rows, x, w, out[x]);
        } else {
            out[0] = MedianAtBorder(rows, 0, w, out[0]);
            int32_t x = 1;
#ifdef IROMAKI_SSE2
            for (; x + 8 < w; x += 8)
                MedianInnerEight(rows, x, out + x);
#endif
            for (; x + 1 < w; ++x)
                out[x] = MedianInner(rows, x);
            if (w > 1) out[w - 1] = MedianAtBorder(rows, w - 1, w, out[w - 1]);
        }
        std::swap(below, at);
        std::swap(at, above);
        if (y + 2 < h) above->Load(colour_ + size_t(y + 2) * w, w);
    }
    return true;
}
