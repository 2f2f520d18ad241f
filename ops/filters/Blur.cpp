// Square-neighbourhood averages: the blur (extended-precision sums around a
// weighted centre) and the unsharp mask (integer-weighted blur, then the
// difference amplified).
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "ops/colour/PixelMath.h"
#include "ops/filters/FilterOps.h"
#include "ops/filters/Neighbourhood.h"
#include "ops/filters/WindowSums.h"

using namespace neighbourhood;
using window_sums::Field;
using window_sums::Spread;

namespace {

// Truncation toward zero and the setters' clamp, for an extended quotient.
uint32_t TruncQuotient(long double q) {
    if (q >= 255.0L) return 255;
    if (!(q >= 1.0L)) return 0; // negatives, fractions below 1 and NaN
    // The nearest double may round up to the next whole number; step back.
    const int32_t k = int32_t(double(q));
    return uint32_t(k - (static_cast<long double>(k) > q));
}

// ---- The plain way --------------------------------------------------------
//
// For parameters the sliding sums do not cover: each pixel visits its square
// on a copy of the colour plane. visit(dx, dy, word) runs for the positions
// inside the image, rows outer, clipped first so that no range overflows.
template <typename PerPixel> bool ForEachSquare(CImage& image, int32_t range, PerPixel perPixel) {
    const int32_t w = image.Width(), h = image.Height();
    const size_t n = image.PixelCount();
    auto copy = NewScratch<uint32_t>(n);
    if (!copy) return false;
    std::memcpy(copy.get(), image.Bits(), n * sizeof(uint32_t));
    const int64_t r = range;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            auto square = [&](auto visit) {
                for (int64_t yy = std::max<int64_t>(0, y - r);
                     yy <= std::min<int64_t>(h - 1, y + r); ++yy)
                    for (int64_t xx = std::max<int64_t>(0, x - r);
                         xx <= std::min<int64_t>(w - 1, x + r); ++xx)
                        visit(xx - x, yy - y, copy[size_t(xx) + size_t(yy) * size_t(w)]);
            };
            const size_t i = size_t(x) + size_t(y) * size_t(w);
            image.Bits()[i] = perPixel(copy[i], square);
        }
    return true;
}

// The blur's sums in their defined order: the positions of the square row by
// row, each adding its channel values (the centre w times its value, as one
// double product) to extended sums.
bool BlurInOrder(CImage& image, int32_t range, double weight) {
    return ForEachSquare(image, range, [&](uint32_t word, auto square) {
        long double sum[3] = {0, 0, 0}, weightSum = 0;
        square([&](int64_t dx, int64_t dy, uint32_t v) {
            const bool centre = dx == 0 && dy == 0;
            for (int c = 0; c < 3; ++c)
                sum[c] += centre ? static_cast<long double>(weight * double(ChannelOf(v, c)))
                                 : static_cast<long double>(ChannelOf(v, c));
            weightSum += centre ? static_cast<long double>(weight) : 1.0L;
        });
        if (!(weightSum > 0)) return word;
        return Pack(TruncQuotient(sum[0] / weightSum), TruncQuotient(sum[1] / weightSum),
                    TruncQuotient(sum[2] / weightSum));
    });
}

// ---- Blur with sliding sums ---------------------------------------------
//
// In the defined order every position before the centre adds a whole number,
// so that part of the sum (S) is exact. Then comes d = w * v, rounded once,
// and the whole numbers after the centre (A), each add rounding only when
// the sum enters a higher binade. The result is S + A + chain(d), where chain
// rounds d at the granularity of every binade the sum enters (rounding to
// nearest even commutes with adding whole numbers, which are multiples of
// every granularity in play). Which binades are entered follows from S and
// the total: each value added is at most 255, so the sum cannot jump over a
// binade of 256 or more, and below 256 the granularity (2^-56 or finer) is
// finer than d's last bit when |w| >= 1/16, so rounding there changes
// nothing. The chain therefore depends only on the binade the centre lands
// in and the final one, and is tabled per channel value. The weight sum stays
// below 256 and is exact. Range at most 7 keeps every sum below 2^16, and
// |w| <= 32 keeps d within it.
constexpr int32_t kSlidingRangeMax = WindowSums::kLargestRange;
constexpr int kFirstBinade = 7; // binades up to 7 round nothing
constexpr int kBinades = 9;     // 7..15

bool SlidingSumsExact(int32_t range, double weight) {
    const double size = std::fabs(weight);
    return range >= 1 && range <= kSlidingRangeMax &&
           (weight == 0.0 || (size >= 1.0 / 16 && size <= 32.0));
}

// x rounded to nearest even at the granularity of binade b (2^(b-63)): the
// addition lands in binade b, the subtraction is exact.
long double RoundAtBinade(long double x, int b) {
    const long double k = std::ldexp(1.5L, b) - std::floor(x);
    return (k + x) - k;
}

struct BlurTables {
    int32_t whole[256];    // floor(w * v)
    int32_t fraction[256]; // 1 when w * v is not whole
    // chain[(b0 * kBinades + b1) * 256 + v]: w * v rounded at binades b0..b1
    // (offset by kFirstBinade), b1 >= b0.
    double chain[kBinades * kBinades * 256];

    explicit BlurTables(double weight) {
        for (int v = 0; v < 256; ++v) {
            const double d = weight * double(v);
            whole[v] = int32_t(std::floor(d));
            fraction[v] = d != std::floor(d);
            for (int b0 = 0; b0 < kBinades; ++b0) {
                long double x = d;
                for (int b1 = b0; b1 < kBinades; ++b1) {
                    x = RoundAtBinade(x, b1 + kFirstBinade);
                    chain[(b0 * kBinades + b1) * 256 + v] = double(x); // at most 53 bits
                }
            }
        }
    }
    // Binade of a whole number, with everything below 2^7 counted as 7.
    static int Binade(uint32_t n) { return int(std::bit_width(n | 128u)) - 1 - kFirstBinade; }

    // The extended sum for channel value v: before = S, after = A.
    long double Sum(int32_t before, int32_t after, uint32_t v) const {
        // Binade of S + d; for a negative sum, of its magnitude.
        const int32_t m = before + whole[v];
        const int b0 = Binade(uint32_t(m >= 0 ? m : -m - fraction[v]));
        const int32_t total = before + after;
        const int32_t f = total + whole[v];
        const int b1 = std::max(b0, Binade(uint32_t(f > 0 ? f : 0)));
        return static_cast<long double>(total) + chain[(b0 * kBinades + b1) * 256 + v];
    }
};

// The weight sum of a window with n positions inside, and a shortcut to the
// extended quotient's truncation for a fractional weight: q = (others + w v)
// / weight sum in doubles differs from the extended quotient by less than
// 2^-28 when the weight sum is at least 1/16 (relative error below 2^-50 on
// |q| < 2^20, and at most 225 extended additions, each off by at most half a
// unit of 2^-48, divided by the weight sum). When q plus and minus a wider
// margin truncate alike, so does the extended quotient; only quotients within
// the margin of a whole number (as in uniform areas) need the extended sums.
// Clamping q to -0.5..255.5 first keeps the answer and the clamp of the
// setters: below -0.5 both ends truncate to 0, above 255.5 to 255.
class Quotients {
  public:
    explicit Quotients(double weight) {
        for (int v = 0; v < 256; ++v)
            product_[v] = weight * double(v);
        for (int32_t n = 1; n < kPositions; ++n) {
            weightSum_[n] = static_cast<long double>(n - 1) + weight;
            positive_[n] = weightSum_[n] > 0;
            wholeWeightSum_[n] = positive_[n] && weightSum_[n] < 1e9L ? int32_t(weightSum_[n]) : 1;
            reciprocal_[n] = weightSum_[n] >= 1.0L / 16 ? 1.0 / double(weightSum_[n]) : 0.0;
        }
    }
    long double WeightSum(int32_t n) const { return weightSum_[n]; }
    // For a whole weight; 1 where the sum is not positive.
    int32_t WholeWeightSum(int32_t n) const { return wholeWeightSum_[n]; }
    bool Positive(int32_t n) const { return positive_[n]; }
    // 0 when the shortcut does not hold.
    double Reciprocal(int32_t n) const { return reciprocal_[n]; }
    // The truncated, clamped quotient, or -1 when the extended one is needed.
    int32_t Quick(int32_t others, uint32_t v, double reciprocal) const {
        const double q = std::min(std::max((double(others) + product_[v]) * reciprocal, -0.5), 255.5);
        const int32_t lo = int32_t(q - kMargin), hi = int32_t(q + kMargin);
        return lo == hi ? lo : -1;
    }

  private:
    static constexpr int32_t kPositions = (2 * kSlidingRangeMax + 1) * (2 * kSlidingRangeMax + 1) + 1;
    static constexpr double kMargin = 0x1p-24;
    double product_[256];
    long double weightSum_[kPositions];
    double reciprocal_[kPositions];
    int32_t wholeWeightSum_[kPositions];
    bool positive_[kPositions];
};

// The blur of the pixel at x of row y from the extended sums, for the
// channels in needed (bit c for channel c; the others are in known): the rows
// of the window below the pixel and the pixels to its left come first. Kept
// apart from the loop (a few pixels in a hundred come here).
[[gnu::noinline]] uint32_t BlurredExactly(const WindowSums& sums, const BlurTables& tables,
                                          long double weightSum, int32_t range, int32_t x,
                                          int32_t y, uint64_t window, uint32_t known,
                                          unsigned needed) {
    const uint64_t* own = sums.Row();
    const int32_t x0 = std::max(0, x - range);
    const int32_t x1 = std::min(sums.Width() - 1, x + range);
    uint64_t before = 0;
    for (int32_t row = std::max(0, y - range); row < y; ++row)
        for (int32_t i = x0; i <= x1; ++i)
            before += sums.Original(row)[i];
    for (int32_t i = x0; i < x; ++i)
        before += own[i];
    uint32_t result = known;
    for (int c = 0; c < 3; ++c) {
        if (!(needed >> c & 1)) continue;
        const int32_t v = Field(own[x], c);
        const int32_t b = Field(before, c);
        const long double sum = tables.Sum(b, Field(window, c) - v - b, uint32_t(v));
        result |= TruncQuotient(sum / weightSum) << (16 - 8 * c);
    }
    return result;
}

bool BlurSliding(CImage& image, int32_t range, double weight) {
    std::unique_ptr<BlurTables> tables(new (std::nothrow) BlurTables(weight));
    std::unique_ptr<Quotients> quotients(new (std::nothrow) Quotients(weight));
    WindowSums sums;
    if (!tables || !quotients || !sums.Init(image, range)) return false;
    const int32_t w = image.Width(), h = image.Height();
    const bool wholeWeight = weight == std::floor(weight);
    const uint64_t* column = sums.Column();
    for (int32_t y = 0; y < h; ++y) {
        sums.BeginRow(y);
        const uint64_t* own = sums.Row();
        const int32_t rowsInside = sums.RowsInside(y);
        uint64_t window = 0; // packed sums over the window
        for (int32_t i = -range; i <= range; ++i)
            window += column[i];
        uint32_t* out = image.Bits() + size_t(y) * size_t(w);
        for (int32_t x = 0; x < w; ++x) {
            const int32_t positions = rowsInside * sums.ColumnsInside(x);
            const double reciprocal = quotients->Reciprocal(positions);
            int32_t value[3];
            for (int c = 0; c < 3; ++c) {
                const int32_t v = Field(own[x], c);
                const int32_t others = Field(window, c) - v;
                if (wholeWeight) {
                    // Whole sums: the quotient is at least 1/weight sum away
                    // from the next whole number, far beyond its rounding.
                    value[c] = int32_t(ClampChannel((others + tables->whole[v]) /
                                                    quotients->WholeWeightSum(positions)));
                } else {
                    value[c] = reciprocal != 0.0 ? quotients->Quick(others, uint32_t(v), reciprocal) : -1;
                }
            }
            if (!quotients->Positive(positions)) {
                // The pixel keeps its colour.
            } else if ((value[0] | value[1] | value[2]) >= 0) {
                out[x] = Pack(uint32_t(value[0]), uint32_t(value[1]), uint32_t(value[2]));
            } else {
                uint32_t known = 0;
                unsigned needed = 0;
                for (int c = 0; c < 3; ++c) {
                    if (value[c] < 0)
                        needed |= 1u << c;
                    else
                        known |= uint32_t(value[c]) << (16 - 8 * c);
                }
                out[x] = BlurredExactly(sums, *tables, quotients->WeightSum(positions), range, x, y,
                                        window, known, needed);
            }
            window = window + column[x + range + 1] - column[x - range];
        }
        sums.EndRow(y);
    }
    return true;
}

// ---- Unsharp mask -------------------------------------------------------
//
// The weights max(1, 4 - dx^2 - dy^2) are 1 everywhere except the inner 3x3
// square, where they exceed 1 by 1, 2 and 3 (corners, edges, centre): that
// excess is the 3x3 sum plus the sum of the pixel's column and of its row of
// that square. All sums are whole numbers, so any order gives the same.

// s * (v - b) + v, truncated and clamped, for one channel.
uint32_t Sharpened(double strength, int32_t v, int32_t blurred) {
    return TruncToChannel(strength * double(v - blurred) + double(v));
}

uint32_t SharpenedWord(double strength, uint32_t word, const int32_t blurred[3]) {
    return Pack(Sharpened(strength, int32_t(Red(word)), blurred[0]),
                Sharpened(strength, int32_t(Green(word)), blurred[1]),
                Sharpened(strength, int32_t(Blue(word)), blurred[2]));
}

// Sharpened for every pair of a channel value and a blurred value (both
// 0..255): the result depends on the two alone.
class SharpenTable {
  public:
    explicit SharpenTable(double strength) {
        for (int32_t v = 0; v < 256; ++v)
            for (int32_t b = 0; b < 256; ++b)
                to_[v << 8 | b] = uint8_t(Sharpened(strength, v, b));
    }
    uint32_t operator()(uint32_t v, int32_t blurred) const { return to_[v << 8 | uint32_t(blurred)]; }

  private:
    uint8_t to_[256 * 256];
};

// Any range, straight from the definition.
bool UnsharpInOrder(CImage& image, int32_t range, double strength) {
    return ForEachSquare(image, range, [&](uint32_t word, auto square) {
        int64_t sum[3] = {0, 0, 0}, weightSum = 0;
        square([&](int64_t dx, int64_t dy, uint32_t v) {
            const int64_t weight = std::max<int64_t>(1, 4 - dx * dx - dy * dy);
            for (int c = 0; c < 3; ++c)
                sum[c] += weight * ChannelOf(v, c);
            weightSum += weight;
        });
        int32_t blurred[3];
        for (int c = 0; c < 3; ++c)
            blurred[c] = int32_t(sum[c] / weightSum);
        return SharpenedWord(strength, word, blurred);
    });
}

// n div d for n < 2^17 and 0 < d < 2^15 by a multiplication: with
// m = ceil(2^32 / d), n m / 2^32 exceeds n / d by less than 2^-15, while the
// fraction of n / d is at most 1 - 1/d.
uint64_t Reciprocal(int32_t d) {
    return ((uint64_t(1) << 32) + uint64_t(d) - 1) / uint64_t(d);
}
int32_t DivideSmall(int32_t n, uint64_t reciprocal) {
    return int32_t((uint64_t(n) * reciprocal) >> 32);
}

bool UnsharpSliding(CImage& image, int32_t range, double strength) {
    const int32_t w = image.Width(), h = image.Height();
    WindowSums sums;
    // Packed column sums of the inner 3x3 square, with a zero on each side.
    auto scratch = NewScratch<uint64_t>(size_t(w) + 2);
    // The weight sum's reciprocal per column, for rows with the same vertical
    // clipping (all but the first and last range rows).
    auto reciprocals = NewScratch<uint64_t>(size_t(w));
    std::unique_ptr<SharpenTable> sharpen(new (std::nothrow) SharpenTable(strength));
    if (!scratch || !reciprocals || !sharpen || !sums.Init(image, range)) return false;
    int32_t reciprocalsFor = -1;
    uint64_t* column3 = scratch.get() + 1;
    const uint64_t* column = sums.Column();
    for (int32_t y = 0; y < h; ++y) {
        sums.BeginRow(y);
        const uint64_t* own = sums.Row(); // entries -1 and w are zero
        const uint64_t* below = y > 0 ? sums.Original(y - 1) : nullptr;
        const uint32_t* above = y + 1 < h ? image.Bits() + size_t(y + 1) * size_t(w) : nullptr;
        const int32_t rows3 = 1 + (below != nullptr) + (above != nullptr);
        const int32_t rowsInside = sums.RowsInside(y);
        if (rowsInside * 4 + rows3 != reciprocalsFor) {
            reciprocalsFor = rowsInside * 4 + rows3;
            for (int32_t x = 0; x < w; ++x) {
                const int32_t cols3 = 1 + (x > 0) + (x + 1 < w);
                reciprocals[x] =
                    Reciprocal(rowsInside * sums.ColumnsInside(x) + rows3 * cols3 + rows3 + cols3);
            }
        }
        for (int32_t x = 0; x < w; ++x)
            column3[x] = own[x] + (below ? below[x] : 0) + (above ? Spread(above[x]) : 0);
        uint64_t window = 0;
        for (int32_t i = -range; i <= range; ++i)
            window += column[i];
        uint32_t* out = image.Bits() + size_t(y) * size_t(w);
        for (int32_t x = 0; x < w; ++x) {
            const uint64_t total = window + (column3[x - 1] + column3[x] + column3[x + 1]) +
                                   column3[x] + (own[x - 1] + own[x] + own[x + 1]);
            uint32_t result = 0;
            for (int c = 0; c < 3; ++c)
                result |= (*sharpen)(uint32_t(Field(own[x], c)), DivideSmall(Field(total, c), reciprocals[x]))
                          << (16 - 8 * c);
            out[x] = result;
            window = window + column[x + range + 1] - column[x - range];
        }
        sums.EndRow(y);
    }
    return true;
}

} // namespace

bool CImage::Blur(int32_t range, double centreWeight) {
    if (SlidingSumsExact(range, centreWeight)) return BlurSliding(*this, range, centreWeight);
    return BlurInOrder(*this, range, centreWeight);
}

bool CImage::UnsharpMask(int32_t range, double strength) {
    // A negative range leaves no position to average, not even the pixel itself.
    if (range < 0) return false;
    if (range >= 1 && range <= kSlidingRangeMax) return UnsharpSliding(*this, range, strength);
    return UnsharpInOrder(*this, range, strength);
}
