// Edge-driven operations: outline and antialiasing, and the smoothing they use.
#include <algorithm>
#include <utility>

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

bool Differs(uint32_t a, uint32_t b, int64_t limit) {
    return ColourDistanceSquared(a, b) > limit;
}

// Without branches: whether pixels differ is as good as random in a noisy picture.
void Mark(uint8_t differs, uint8_t& a, uint8_t& b) {
    a |= differs;
    b |= differs;
}

// Marks both ends of every pair of pixels in a row that differ too much.
void MarkAlongRow(const uint32_t* row, int32_t w, int64_t limit, uint8_t* marks) {
    for (int32_t x = 0; x + 1 < w; ++x) {
        Mark(Differs(row[x], row[x + 1], limit), marks[x], marks[x + 1]);
    }
}

// Pairs between a row and the one above it: straight up, and with diagonals
// when asked.
void MarkAcrossRows(const uint32_t* row, const uint32_t* above, int32_t w, int64_t limit,
                    bool diagonals, uint8_t* rowMarks, uint8_t* aboveMarks) {
    for (int32_t x = 0; x < w; ++x)
        Mark(Differs(row[x], above[x], limit), rowMarks[x], aboveMarks[x]);
    if (!diagonals) return;
    for (int32_t x = 0; x + 1 < w; ++x) {
        Mark(Differs(row[x], above[x + 1], limit), rowMarks[x], aboveMarks[x + 1]);
        Mark(Differs(row[x + 1], above[x], limit), rowMarks[x + 1], aboveMarks[x]);
    }
}

// (2 x centre + the eight neighbours) div 10 for each channel: SmoothAt with
// radius 1 and weight 2 at a pixel away from the border.
uint32_t SmoothInner(const uint32_t* below, const uint32_t* row, const uint32_t* above, int32_t x) {
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        uint32_t sum =
            2 * ChannelOf(row[x], c) + ChannelOf(row[x - 1], c) + ChannelOf(row[x + 1], c);
        for (const uint32_t* r : {below, above})
            sum += ChannelOf(r[x - 1], c) + ChannelOf(r[x], c) + ChannelOf(r[x + 1], c);
        out |= (sum / 10) << (16 - 8 * c);
    }
    return out;
}

// Runs over the rows with the marks of each pixel complete before its row is
// changed: a pixel is marked when it differs too much from one of its four
// (or eight) neighbours in the unchanged image, then act(x, y) runs for the
// marked pixels of the row. Pairs are tested once and mark both ends. The
// rows are tested before they change, so no copy of the image is needed.
template <typename Act>
bool ForMarkedPixels(CImage& image, int64_t limit, bool diagonals, Act act) {
    const int32_t w = image.Width(), h = image.Height();
    auto marks = NewScratch<uint8_t>(2 * size_t(w));
    if (!marks) return false;
    uint8_t* current = marks.get();
    uint8_t* next = current + w;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* row = image.Bits() + size_t(y) * size_t(w);
        MarkAlongRow(row, w, limit, current);
        if (y + 1 < h) MarkAcrossRows(row, row + w, w, limit, diagonals, current, next);
        for (int32_t x = 0; x < w; ++x)
            if (current[x]) {
                act(x, y);
                current[x] = 0;
            }
        std::swap(current, next);
    }
    return true;
}

} // namespace

int32_t ColourDistanceSquared(uint32_t a, uint32_t b) {
    const int32_t dr = int32_t(Red(a)) - int32_t(Red(b));
    const int32_t dg = int32_t(Green(a)) - int32_t(Green(b));
    const int32_t db = int32_t(Blue(a)) - int32_t(Blue(b));
    return dr * dr + dg * dg + db * db;
}

bool AddOutline(CImage& image, int32_t threshold, uint32_t colour) {
    const int64_t limit = SquaredLimit(threshold);
    if (limit >= kLargestDistance) return true; // no pair can differ that much
    // The paint goes in through the word, so it keeps the colour plane's
    // reserved bits clear.
    const uint32_t paint = colour & 0x00FFFFFFu;
    uint32_t* bits = image.Bits();
    const size_t w = size_t(image.Width());
    return ForMarkedPixels(image, limit, false,
                           [&](int32_t x, int32_t y) { bits[size_t(x) + size_t(y) * w] = paint; });
}

bool Antialias(CImage& image, int32_t threshold) {
    const int64_t limit = SquaredLimit(threshold);
    if (limit >= kLargestDistance) return true;
    const int32_t w = image.Width(), h = image.Height();
    uint32_t* bits = image.Bits();
    // Smoothing in place reads the rows below and the pixels to the left
    // already smoothed, and the rest as they were: the running effect of
    // smoothing a copy in scan order.
    return ForMarkedPixels(image, limit, true, [&](int32_t x, int32_t y) {
        if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
            image.SmoothAt(x, y, 1, 2);
            return;
        }
        uint32_t* row = bits + size_t(y) * size_t(w);
        row[x] = SmoothInner(row - w, row, row + w, x);
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
