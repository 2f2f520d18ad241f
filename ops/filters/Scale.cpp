// Fixed scalings: 50 % by 2 x 2 means, 200 % and 300 % by an edge-aware
// enlargement of a sharpened copy, 150 % as the 50 % of the 300 %.
//
// The enlargements build their result a group of rows at a time (the rows that
// one row of source pixels yields). Only the outer groups read another group,
// the one next to them, so 150 % can keep two groups of the 300 % in hand
// instead of the whole intermediate image.
#include <climits>
#include <cstring>
#include <memory>
#include <new>

#include "ops/filters/FilterOps.h"
#include "ops/filters/Neighbourhood.h"
#include "ops/filters/WindowSums.h"

using namespace neighbourhood;
using window_sums::Field;
using window_sums::Spread;

namespace {

constexpr uint32_t kMask = 0x00FFFFFFu;

// n / d for the small divisors and sums of the enlargements, by multiplication.
constexpr uint32_t Reciprocal(uint32_t d) {
    return uint32_t((uint64_t(1) << 32) / d + 1);
}
constexpr uint32_t kMaxDivisor = 13;
constexpr uint32_t kMaxDividend = 255 * kMaxDivisor;
constexpr uint32_t Div(uint32_t n, uint32_t d) {
    return uint32_t((uint64_t(n) * Reciprocal(d)) >> 32);
}
constexpr bool DivIsExact() {
    for (uint32_t d = 2; d <= kMaxDivisor; ++d)
        for (uint32_t n = 0; n <= kMaxDividend; ++n)
            if (Div(n, d) != n / d) return false;
    return true;
}
static_assert(DivIsExact());

// A neighbour that differs strongly from the centre weighs more.
uint32_t NeighbourWeight(uint32_t centre, uint32_t neighbour) {
    return ColourDistanceSquared(centre, neighbour) <= 1000 ? 2 : 3;
}

// Weighted sums of up to 13 x 255 per channel are formed in the lanes of
// window_sums::Spread with a few multiplications.
uint32_t DivideLanes(uint64_t sum, uint32_t divisor) {
    auto lane = [&](int channel) { return Div(uint32_t(Field(sum, channel)), divisor); };
    return Pack(lane(0), lane(1), lane(2));
}

// (wa x a + wb x b) / divisor, each channel alone.
uint32_t Mix2(uint32_t wa, uint32_t a, uint32_t wb, uint32_t b, uint32_t divisor) {
    return DivideLanes(wa * Spread(a) + wb * Spread(b), divisor);
}

// The sharpened working copy that the enlargements read, and its rows spread
// into lanes (the last three asked for are kept).
class Sharpened {
  public:
    int32_t w = 0, h = 0;

    bool Make(const CImage& source) {
        w = source.Width();
        h = source.Height();
        // Only the colour plane is needed; the auxiliary plane stays untouched.
        if (!image_.Create(w, h) || !image_.CopyColorsFrom(&source)) return false;
        for (auto& slot : spread_) {
            slot.row = -1;
            slot.lanes.reset(new (std::nothrow) uint64_t[size_t(w)]);
            if (!slot.lanes) return false;
        }
        return image_.UnsharpMask(1, 0.4);
    }
    const uint32_t* Row(int32_t t) const { return image_.Bits() + size_t(t) * size_t(w); }
    const uint64_t* Lanes(int32_t t, int32_t keepA, int32_t keepB) {
        Slot* free = nullptr;
        for (Slot& slot : spread_) {
            if (slot.row == t) return slot.lanes.get();
            if (slot.row != keepA && slot.row != keepB) free = &slot;
        }
        const uint32_t* row = Row(t);
        for (int32_t s = 0; s < w; ++s)
            free->lanes[s] = Spread(row[s]);
        free->row = t;
        return free->lanes.get();
    }

  private:
    struct Slot {
        int32_t row;
        std::unique_ptr<uint64_t[]> lanes;
    };
    CImage image_;
    Slot spread_[3];
};

// What a block of source row t reads: the rows below, at and above it, plain
// and spread.
struct BlockRows {
    const uint32_t *below, *row, *above;
    const uint64_t *sBelow, *sRow, *sAbove;

    BlockRows(Sharpened& p, int32_t t)
        : below(p.Row(t - 1)), row(p.Row(t)), above(p.Row(t + 1)), sBelow(p.Lanes(t - 1, t, t + 1)),
          sRow(p.Lanes(t, t - 1, t + 1)), sAbove(p.Lanes(t + 1, t - 1, t)) {}
};

// The source pixel s of a block row and its eight neighbours (spread), with the
// weights of the four direct ones. The weight to the right neighbour is the
// next pixel's weight to the left, so it is carried along.
struct Neighbourhood {
    uint64_t c, l, r, dn, up, dl, dr, ul, ur;
    uint32_t wl, wr, wd, wu;

    Neighbourhood(const BlockRows& b, int32_t s, uint32_t leftWeight)
        : c(b.sRow[s]), l(b.sRow[s - 1]), r(b.sRow[s + 1]), dn(b.sBelow[s]), up(b.sAbove[s]),
          dl(b.sBelow[s - 1]), dr(b.sBelow[s + 1]), ul(b.sAbove[s - 1]), ur(b.sAbove[s + 1]),
          wl(leftWeight), wr(NeighbourWeight(b.row[s], b.row[s + 1])),
          wd(NeighbourWeight(b.row[s], b.below[s])), wu(NeighbourWeight(b.row[s], b.above[s])) {}
};

// ---- 200 % -------------------------------------------------------------------

// Rows 2t and 2t + 1 of the result for a source row 1 <= t <= h - 2.
void DoubleInnerGroup(Sharpened& p, int32_t t, uint32_t* const out[2]) {
    const BlockRows b(p, t);
    uint32_t* lo = out[0];
    uint32_t* hi = out[1];
    uint32_t leftWeight = NeighbourWeight(b.row[1], b.row[0]);
    for (int32_t s = 1; s < p.w - 1; ++s) {
        const Neighbourhood n(b, s, leftWeight);
        leftWeight = n.wr;
        const uint64_t c5 = 5 * n.c;
        lo[2 * s] = DivideLanes(c5 + n.wd * n.dn + n.wl * n.l + n.dl, n.wl + n.wd + 6);
        lo[2 * s + 1] = DivideLanes(c5 + n.wd * n.dn + n.wr * n.r, n.wd + n.wr + 5);
        hi[2 * s] = DivideLanes(c5 + n.wl * n.l + n.wu * n.up, n.wl + n.wu + 5);
        hi[2 * s + 1] = DivideLanes(c5 + n.wr * n.r + n.wu * n.up, n.wr + n.wu + 5);
    }
    const uint32_t* row = b.row;
    const int32_t last = 2 * p.w - 1;
    const uint32_t left = row[0] & kMask;
    const uint32_t right = row[p.w - 1] & kMask;
    for (int k = 0; k < 2; ++k) {
        uint32_t* d = out[k];
        d[0] = left;
        d[1] = Mix2(1, left, 1, d[2], 2);
        d[last] = right;
        d[last - 1] = Mix2(1, right, 1, d[last - 2], 2);
    }
}

// The bottom (t = 0) or top (t = h - 1) pair of rows; next is the result row
// beside the pair (row 2 or row 2h - 3).
void DoubleOuterGroup(Sharpened& p, int32_t t, uint32_t* const out[2], const uint32_t* next) {
    const uint32_t* row = p.Row(t);
    uint32_t* outer = out[t == 0 ? 0 : 1];
    uint32_t* inner = out[t == 0 ? 1 : 0];
    for (int32_t x = 0; x < 2 * p.w; ++x) {
        const uint32_t v = row[x / 2] & kMask;
        outer[x] = v;
        inner[x] = Mix2(1, v, 1, next[x], 2);
    }
}

// ---- 300 % -------------------------------------------------------------------

// Rows 3t .. 3t + 2 of the result for a source row 1 <= t <= h - 2.
void TripleInnerGroup(Sharpened& p, int32_t t, uint32_t* const out[3]) {
    const BlockRows b(p, t);
    uint32_t leftWeight = NeighbourWeight(b.row[1], b.row[0]);
    for (int32_t s = 1; s < p.w - 1; ++s) {
        const Neighbourhood n(b, s, leftWeight);
        leftWeight = n.wr;
        const uint64_t c6 = 6 * n.c;
        uint32_t* lo = out[0] + 3 * s;
        uint32_t* mid = out[1] + 3 * s;
        uint32_t* hi = out[2] + 3 * s;
        lo[0] = DivideLanes(c6 + n.wd * n.dn + n.wl * n.l + n.dl, n.wl + n.wd + 7);
        lo[1] = DivideLanes(c6 + 2 * n.wd * n.dn, 2 * n.wd + 6);
        lo[2] = DivideLanes(c6 + n.wd * n.dn + n.wr * n.r + n.dr, n.wd + n.wr + 7);
        mid[0] = DivideLanes(c6 + 2 * n.wl * n.l, 2 * n.wl + 6);
        mid[1] = b.row[s] & kMask;
        mid[2] = DivideLanes(c6 + 2 * n.wr * n.r, 2 * n.wr + 6);
        hi[0] = DivideLanes(c6 + n.wl * n.l + n.wu * n.up + n.ul, n.wl + n.wu + 7);
        hi[1] = DivideLanes(c6 + 2 * n.wu * n.up, 2 * n.wu + 6);
        hi[2] = DivideLanes(c6 + n.wr * n.r + n.wu * n.up + n.ur, n.wr + n.wu + 7);
    }
    const uint32_t* row = b.row;
    const int32_t last = 3 * p.w - 1;
    const uint32_t left = row[0] & kMask;
    const uint32_t right = row[p.w - 1] & kMask;
    for (int k = 0; k < 3; ++k) {
        uint32_t* d = out[k];
        d[0] = left;
        d[1] = Mix2(2, left, 1, d[3], 3);
        d[2] = Mix2(1, left, 2, d[3], 3);
        d[last] = right;
        d[last - 1] = Mix2(2, right, 1, d[last - 3], 3);
        d[last - 2] = Mix2(1, right, 2, d[last - 3], 3);
    }
}

// The bottom (t = 0) or top (t = h - 1) three rows; next is the result row
// beside them (row 3 or row 3h - 4).
void TripleOuterGroup(Sharpened& p, int32_t t, uint32_t* const out[3], const uint32_t* next) {
    const uint32_t* row = p.Row(t);
    uint32_t* outer = out[t == 0 ? 0 : 2];
    uint32_t* nearOuter = out[1];
    uint32_t* inner = out[t == 0 ? 2 : 0];
    for (int32_t x = 0; x < 3 * p.w; ++x) {
        const uint32_t v = row[x / 3] & kMask;
        outer[x] = v;
        nearOuter[x] = Mix2(2, v, 1, next[x], 3);
        inner[x] = Mix2(1, v, 2, next[x], 3);
    }
}

// Creates the result at factor times the source's size, refusing sizes that do
// not fit.
std::unique_ptr<CImage> NewScaled(const CImage& source, int64_t factor) {
    const int64_t w = int64_t(source.Width()) * factor;
    const int64_t h = int64_t(source.Height()) * factor;
    if (w > INT32_MAX || h > INT32_MAX) return nullptr;
    std::unique_ptr<CImage> result(new (std::nothrow) CImage);
    if (!result || !result->Create(int32_t(w), int32_t(h))) return nullptr;
    return result;
}

// Fills an enlargement of factor 2 or 3 group by group into its own rows.
template <int Factor, typename Inner, typename Outer>
std::unique_ptr<CImage> Enlarge(const CImage& source, int32_t minimum, Inner inner, Outer outer) {
    if (source.Width() < minimum || source.Height() < minimum) return nullptr;
    std::unique_ptr<CImage> result = NewScaled(source, Factor);
    Sharpened p;
    if (!result || !p.Make(source)) return nullptr;
    const size_t stride = size_t(result->Width());
    auto rows = [&](int32_t t, uint32_t** out) {
        for (int k = 0; k < Factor; ++k)
            out[k] = result->Bits() + (size_t(t) * Factor + size_t(k)) * stride;
    };
    uint32_t* out[Factor];
    for (int32_t t = 1; t < p.h - 1; ++t) {
        rows(t, out);
        inner(p, t, out);
    }
    rows(0, out);
    outer(p, 0, out, result->Bits() + size_t(Factor) * stride);
    rows(p.h - 1, out);
    outer(p, p.h - 1, out, result->Bits() + (size_t(Factor) * size_t(p.h - 1) - 1) * stride);
    return result;
}

// The 300 % enlargement of p two groups of rows at a time, for the 150 %
// scaling, which reads its rows in ascending pairs.
class TripleGroups {
  public:
    explicit TripleGroups(Sharpened& p) : p_(p) {}

    bool Allocate() {
        stride_ = 3 * size_t(p_.w);
        rows_.reset(new (std::nothrow) uint32_t[2 * 3 * stride_]);
        return rows_ != nullptr;
    }
    const uint32_t* Row(int32_t y) {
        Ensure(y / 3);
        return Slot(y / 3, y % 3);
    }

  private:
    uint32_t* Slot(int32_t group, int32_t k) {
        return rows_.get() + (size_t(group % 2) * 3 + size_t(k)) * stride_;
    }
    void Ensure(int32_t group) {
        if (held_[group % 2] == group) return;
        uint32_t* out[3] = {Slot(group, 0), Slot(group, 1), Slot(group, 2)};
        if (group == 0) {
            Ensure(1);
            TripleOuterGroup(p_, 0, out, Slot(1, 0));
        } else if (group == p_.h - 1) {
            Ensure(group - 1);
            TripleOuterGroup(p_, group, out, Slot(group - 1, 2));
        } else {
            TripleInnerGroup(p_, group, out);
        }
        held_[group % 2] = group;
    }

    Sharpened& p_;
    size_t stride_ = 0;
    std::unique_ptr<uint32_t[]> rows_;
    int32_t held_[2] = {-1, -1};
};

// One row of 2 x 2 means from two rows of the source.
void HalveRows(const uint32_t* lo, const uint32_t* hi, uint32_t* out, int32_t w) {
    for (int32_t x = 0; x < w; ++x) {
        const uint32_t a = lo[2 * x], b = lo[2 * x + 1], c = hi[2 * x], d = hi[2 * x + 1];
        // Red and blue summed side by side in one word, green apart.
        const uint32_t rb = (a & 0xFF00FF) + (b & 0xFF00FF) + (c & 0xFF00FF) + (d & 0xFF00FF);
        const uint32_t g = Green(a) + Green(b) + Green(c) + Green(d);
        out[x] = ((rb >> 2) & 0xFF00FF) | (g >> 2) << 8;
    }
}

} // namespace

std::unique_ptr<CImage> ScaleHalf(const CImage& source) {
    if (source.Width() < 5 || source.Height() < 5) return nullptr;
    const int32_t w = source.Width() / 2;
    const int32_t h = source.Height() / 2;
    std::unique_ptr<CImage> result(new (std::nothrow) CImage);
    if (!result || !result->Create(w, h)) return nullptr;
    const size_t stride = size_t(source.Width());
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* lo = source.Bits() + size_t(2 * y) * stride;
        HalveRows(lo, lo + stride, result->Bits() + size_t(y) * size_t(w), w);
    }
    return result;
}

std::unique_ptr<CImage> ScaleDouble(const CImage& source) {
    return Enlarge<2>(source, 5, DoubleInnerGroup, DoubleOuterGroup);
}

std::unique_ptr<CImage> ScaleTriple(const CImage& source) {
    return Enlarge<3>(source, 3, TripleInnerGroup, TripleOuterGroup);
}

std::unique_ptr<CImage> ScaleOneAndHalf(const CImage& source) {
    if (source.Width() < 3 || source.Height() < 3) return nullptr;
    const int64_t tripleW = 3 * int64_t(source.Width());
    const int64_t tripleH = 3 * int64_t(source.Height());
    if (tripleW > INT32_MAX || tripleH > INT32_MAX) return nullptr;
    const int32_t w = int32_t(tripleW / 2);
    const int32_t h = int32_t(tripleH / 2);
    std::unique_ptr<CImage> result(new (std::nothrow) CImage);
    if (!result || !result->Create(w, h)) return nullptr;
    Sharpened p;
    TripleGroups triple(p);
    if (!p.Make(source) || !triple.Allocate()) return nullptr;
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* lo = triple.Row(2 * y);
        const uint32_t* hi = triple.Row(2 * y + 1);
        HalveRows(lo, hi, result->Bits() + size_t(y) * size_t(w), w);
    }
    return result;
}

std::unique_ptr<CImage> ScaleImageByPercent(const CImage& source, int32_t percent) {
    switch (percent) {
    case 50:
        return ScaleHalf(source);
    case 150:
        return ScaleOneAndHalf(source);
    case 200:
        return ScaleDouble(source);
    case 300:
        return ScaleTriple(source);
    default:
        return nullptr;
    }
}
