// Edge-driven operations: outline and antialiasing, and the smoothing they use.
#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define IROMAKI_SSE2 1
#endif

#include "ops/filters/FilterOps.h"
#include "ops/filters/Neighbourhood.h"

using namespace neighbourhood;

namespace {

constexpr int64_t kLargestDistance = 3 * 255 * 255;

// The square of a threshold, in 64 bits: thresholds typed by hand can exceed
// 46340, whose square no longer fits in 32 bits.
int64_t SquaredLimit(int32_t threshold) {
    return int64_t(threshold) * threshold;
}

// Marks both pixels of every pair (a[x], b[x]), x < n, whose colours are
// farther apart than limit: marksA[x] and marksB[x]. Four pairs at a time
// where SSE2 is at hand: whether pixels differ is as good as random in a
// noisy picture, so branches would mostly be mispredicted.
void MarkPairs(const uint32_t* a, const uint32_t* b, int32_t n, int32_t limit, uint8_t* marksA,
               uint8_t* marksB) {
    int32_t x = 0;
#ifdef IROMAKI_SSE2
    const __m128i zero = _mm_setzero_si128();
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i bound = _mm_set1_epi32(limit);
    for (; x + 4 <= n; x += 4) {
        const __m128i va = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x)), rgb);
        const __m128i vb = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x)), rgb);
        // Channel differences in 16 bits; squared and summed in pairs:
        // blue^2 + green^2 and red^2 + 0 for each pixel.
        const __m128i lo = _mm_sub_epi16(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero));
        const __m128i hi = _mm_sub_epi16(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero));
        const __m128 sqLo = _mm_castsi128_ps(_mm_madd_epi16(lo, lo));
        const __m128 sqHi = _mm_castsi128_ps(_mm_madd_epi16(hi, hi));
        const __m128i distance =
            _mm_add_epi32(_mm_castps_si128(_mm_shuffle_ps(sqLo, sqHi, _MM_SHUFFLE(2, 0, 2, 0))),
                          _mm_castps_si128(_mm_shuffle_ps(sqLo, sqHi, _MM_SHUFFLE(3, 1, 3, 1))));
        const __m128i far = _mm_cmpgt_epi32(distance, bound);
        const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(far, far), zero);
        const uint32_t found = uint32_t(_mm_cvtsi128_si32(bytes)) & 0x01010101u;
        for (uint8_t* marks : {marksA + x, marksB + x}) {
            uint32_t word;
            std::memcpy(&word, marks, 4);
            word |= found;
            std::memcpy(marks, &word, 4);
        }
    }
#endif
    for (; x < n; ++x) {
        const uint8_t far = ColourDistanceSquared(a[x], b[x]) > limit;
        marksA[x] |= far;
        marksB[x] |= far;
    }
}

// n div 10 as n x 6554 / 2^16, which exceeds n / 10 by less than 0.016 for
// the sums of smoothing (ten channel values at most).
constexpr uint32_t kTenth = 6554;
constexpr bool TenthIsExact() {
    for (uint32_t n = 0; n <= 10 * 255; ++n)
        if ((n * kTenth) >> 16 != n / 10) return false;
    return true;
}
static_assert(TenthIsExact());

// Channel sums for smoothing: red and blue side by side in one word, green
// apart, each at most 2550.
struct ChannelSums {
    uint32_t rb = 0, g = 0;

    static ChannelSums Of(uint32_t word) { return {word & 0xFF00FFu, word & 0xFF00u}; }
    void Add(ChannelSums other, uint32_t times = 1) {
        rb += times * other.rb;
        g += times * other.g;
    }
    ChannelSums Tenth() const {
        return {uint32_t(((rb >> 16) * kTenth) >> 16) << 16 | uint32_t(((rb & 0xFFFFu) * kTenth) >> 16),
                uint32_t(((g >> 8) * kTenth) >> 16) << 8};
    }
    uint32_t Word() const { return rb | g; }
};

// SmoothAt with radius 1 and weight 2 for the marked pixels of a row away
// from the top and bottom: (2 x centre + the eight neighbours) div 10 for
// each channel. The pixels below (already smoothed) and above (not yet) are
// summed for the whole row first; the pixel to the left is taken as the
// smoothing of the row leaves it, carried along rather than read back.
void SmoothInnerRow(CImage& image, int32_t y, const uint8_t* marks, ChannelSums* vertical) {
    const int32_t w = image.Width();
    uint32_t* row = image.Bits() + size_t(y) * size_t(w);
    const uint32_t* below = row - w;
    const uint32_t* above = row + w;
    for (int32_t x = 0; x < w; ++x) {
        vertical[x] = ChannelSums::Of(below[x]);
        vertical[x].Add(ChannelSums::Of(above[x]));
    }
    if (marks[0]) image.SmoothAt(0, y, 1, 2);
    ChannelSums left = ChannelSums::Of(row[0]);
    for (int32_t x = 1; x + 1 < w; ++x) {
        const ChannelSums centre = ChannelSums::Of(row[x]);
        if (!marks[x]) {
            left = centre;
            continue;
        }
        ChannelSums sums = vertical[x - 1];
        sums.Add(vertical[x]);
        sums.Add(vertical[x + 1]);
        sums.Add(centre, 2);
        sums.Add(ChannelSums::Of(row[x + 1]));
        sums.Add(left);
        left = sums.Tenth();
        row[x] = left.Word();
    }
    if (w > 1 && marks[w - 1]) image.SmoothAt(w - 1, y, 1, 2);
}

// Runs over the rows with the marks of each pixel complete before its row is
// changed: a pixel is marked when it differs too much from one of its four
// (or eight) neighbours in the unchanged image, then act(y, marks) runs for
// the row. Pairs are tested once and mark both ends. The rows are tested
// before they change, so no copy of the image is needed.
template <typename Act>
bool ForMarkedRows(CImage& image, int32_t limit, bool diagonals, Act act) {
    const int32_t w = image.Width(), h = image.Height();
    auto marks = NewScratch<uint8_t>(2 * size_t(w));
    if (!marks) return false;
    uint8_t* current = marks.get();
    uint8_t* next = current + w;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* row = image.Bits() + size_t(y) * size_t(w);
        MarkPairs(row, row + 1, w - 1, limit, current, current + 1);
        if (y + 1 < h) {
            const uint32_t* above = row + w;
            MarkPairs(row, above, w, limit, current, next);
            if (diagonals) {
                MarkPairs(row, above + 1, w - 1, limit, current, next + 1);
                MarkPairs(row + 1, above, w - 1, limit, current + 1, next);
            }
        }
        act(y, current);
        std::memset(current, 0, size_t(w));
        std::swap(current, next);
    }
    return true;
}

} // namespace

bool AddOutline(CImage& image, int32_t threshold, uint32_t colour) {
    const int64_t limit = SquaredLimit(threshold);
    if (limit >= kLargestDistance) return true; // no pair can differ that much
    // The paint goes in through the word, so it keeps the colour plane's
    // reserved bits clear.
    const uint32_t paint = colour & 0x00FFFFFFu;
    return ForMarkedRows(image, int32_t(limit), false, [&](int32_t y, const uint8_t* marks) {
        uint32_t* row = image.Bits() + size_t(y) * size_t(image.Width());
        for (int32_t x = 0; x < image.Width(); ++x)
            if (marks[x]) row[x] = paint;
    });
}

bool Antialias(CImage& image, int32_t threshold) {
    const int64_t limit = SquaredLimit(threshold);
    if (limit >= kLargestDistance) return true;
    const int32_t w = image.Width(), h = image.Height();
    std::unique_ptr<ChannelSums[]> vertical(new (std::nothrow) ChannelSums[size_t(w)]);
    if (!vertical) return false;
    // Smoothing in place reads the rows below and the pixels to the left
    // already smoothed, and the rest as they were: the running effect of
    // smoothing a copy in scan order.
    return ForMarkedRows(image, int32_t(limit), true, [&](int32_t y, const uint8_t* marks) {
        if (y > 0 && y + 1 < h) {
            SmoothInnerRow(image, y, marks, vertical.get());
            return;
        }
        for (int32_t x = 0; x < w; ++x)
            if (marks[x]) image.SmoothAt(x, y, 1, 2);
    });
}

bool CImage::SmoothAt(int32_t x, int32_t y, int32_t radius, int32_t centreWeight) {
    if (!Inside(x, y) || radius < 1 || centreWeight < 1) return false;
    // The square clipped to the image; 64 bits so that no radius overflows.
    const int32_t x0 = int32_t(std::max<int64_t>(0, int64_t(x) - radius));
    const int32_t x1 = int32_t(std::min<int64_t>(width_ - 1, int64_t(x) + radius));
    const int32_t y0 = int32_t(std::max<int64_t>(0, int64_t(y) - radius));
    const int32_t y1 = int32_t(std::min<int64_t>(height_ - 1, int64_t(y) + radius));
    const uint32_t centre = colour_[Index(x, y)];
    int64_t sum[3];
    for (int c = 0; c < 3; ++c)
        sum[c] = int64_t(centreWeight) * ChannelOf(centre, c);
    int64_t count = centreWeight;
    for (int32_t yy = y0; yy <= y1; ++yy)
        for (int32_t xx = x0; xx <= x1; ++xx) {
            if (xx == x && yy == y) continue;
            const uint32_t v = colour_[Index(xx, yy)];
            for (int c = 0; c < 3; ++c)
                sum[c] += ChannelOf(v, c);
            ++count;
        }
    SetR(x, y, int32_t(sum[0] / count));
    SetG(x, y, int32_t(sum[1] / count));
    SetB(x, y, int32_t(sum[2] / count));
    return true;
}
