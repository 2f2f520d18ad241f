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

uint32_t R(uint32_t c) {
    return (c >> 16) & 0xFF;
}
uint32_t G(uint32_t c) {
    return (c >> 8) & 0xFF;
}
uint32_t B(uint32_t c) {
    return c & 0xFF;
}
uint32_t Pack(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

// A neighbour that differs strongly from the centre weighs more.
uint32_t NeighbourWeight(uint32_t centre, uint32_t neighbour) {
    const int32_t dr = int32_t(R(centre)) - int32_t(R(neighbour));
    const int32_t dg = int32_t(G(centre)) - int32_t(G(neighbour));
    const int32_t db = int32_t(B(centre)) - int32_t(B(neighbour));
    return dr * dr + dg * dg + db * db <= 1000 ? 2 : 3;
}

// (wc x c + wa x a + wb x b + wd x d) / divisor, each channel alone.
uint32_t Mix(uint32_t wc, uint32_t c, uint32_t wa, uint32_t a, uint32_t wb, uint32_t b, uint32_t wd,
             uint32_t d, uint32_t divisor) {
    return Pack(Div(wc * R(c) + wa * R(a) + wb * R(b) + wd * R(d), divisor),
                Div(wc * G(c) + wa * G(a) + wb * G(b) + wd * G(d), divisor),
                Div(wc * B(c) + wa * B(a) + wb * B(b) + wd * B(d), divisor));
}
uint32_t Mix2(uint32_t wa, uint32_t a, uint32_t wb, uint32_t b, uint32_t divisor) {
    return Mix(wa, a, wb, b, 0, 0, 0, 0, divisor);
}

// The source pixel at (s, t) of the sharpened copy and its eight neighbours,
// with the weights of the four direct ones.
struct Neighbourhood {
    uint32_t c, l, r, dn, up, dl, dr, ul, ur;
    uint32_t wl, wr, wd, wu;

    Neighbourhood(const uint32_t* below, const uint32_t* row, const uint32_t* above, int32_t s)
        : c(row[s]), l(row[s - 1]), r(row[s + 1]), dn(below[s]), up(above[s]), dl(below[s - 1]),
          dr(below[s + 1]), ul(above[s - 1]), ur(above[s + 1]), wl(NeighbourWeight(c, l)),
          wr(NeighbourWeight(c, r)), wd(NeighbourWeight(c, dn)), wu(NeighbourWeight(c, up)) {}
};

// The sharpened working copy that the enlargements read.
struct Sharpened {
    CImage image;
    int32_t w = 0, h = 0;
    const uint32_t* Row(int32_t t) const { return image.Bits() + size_t(t) * size_t(w); }

    bool Make(const CImage& source) {
        w = source.Width();
        h = source.Height();
        return image.CopyFrom(&source) && image.UnsharpMask(1, 0.4);
    }
};

// ---- 200 % -------------------------------------------------------------------

// Rows 2t and 2t + 1 of the result for a source row 1 <= t <= h - 2.
void DoubleInnerGroup(const Sharpened& p, int32_t t, uint32_t* const out[2]) {
    const uint32_t* below = p.Row(t - 1);
    const uint32_t* row = p.Row(t);
    const uint32_t* above = p.Row(t + 1);
    uint32_t* lo = out[0];
    uint32_t* hi = out[1];
    for (int32_t s = 1; s < p.w - 1; ++s) {
        const Neighbourhood n(below, row, above, s);
        lo[2 * s] = Mix(5, n.c, n.wd, n.dn, n.wl, n.l, 1, n.dl, n.wl + n.wd + 6);
        lo[2 * s + 1] = Mix(5, n.c, n.wd, n.dn, n.wr, n.r, 0, 0, n.wd + n.wr + 5);
        hi[2 * s] = Mix(5, n.c, n.wl, n.l, n.wu, n.up, 0, 0, n.wl + n.wu + 5);
        hi[2 * s + 1] = Mix(5, n.c, n.wr, n.r, n.wu, n.up, 0, 0, n.wr + n.wu + 5);
    }
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
void DoubleOuterGroup(const Sharpened& p, int32_t t, uint32_t* const out[2], const uint32_t* next) {
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
void TripleInnerGroup(const Sharpened& p, int32_t t, uint32_t* const out[3]) {
    const uint32_t* below = p.Row(t - 1);
    const uint32_t* row = p.Row(t);
    const uint32_t* above = p.Row(t + 1);
    for (int32_t s = 1; s < p.w - 1; ++s) {
        const Neighbourhood n(below, row, above, s);
        uint32_t* lo = out[0] + 3 * s;
        uint32_t* mid = out[1] + 3 * s;
        uint32_t* hi = out[2] + 3 * s;
        lo[0] = Mix(6, n.c, n.wd, n.dn, n.wl, n.l, 1, n.dl, n.wl + n.wd + 7);
        lo[1] = Mix2(6, n.c, 2 * n.wd, n.dn, 2 * n.wd + 6);
        lo[2] = Mix(6, n.c, n.wd, n.dn, n.wr, n.r, 1, n.dr, n.wd + n.wr + 7);
        mid[0] = Mix2(6, n.c, 2 * n.wl, n.l, 2 * n.wl + 6);
        mid[1] = n.c & kMask;
        mid[2] = Mix2(6, n.c, 2 * n.wr, n.r, 2 * n.wr + 6);
        hi[0] = Mix(6, n.c, n.wl, n.l, n.wu, n.up, 1, n.ul, n.wl + n.wu + 7);
        hi[1] = Mix2(6, n.c, 2 * n.wu, n.up, 2 * n.wu + 6);
        hi[2] = Mix(6, n.c, n.wr, n.r, n.wu, n.up, 1, n.ur, n.wr + n.wu + 7);
    }
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
void TripleOuterGroup(const Sharpened& p, int32_t t, uint32_t* const out[3], const uint32_t* next) {
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
        const uint32_t* hi = lo + stride;
        uint32_t* out = result->Bits() + size_t(y) * size_t(w);
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t a = lo[2 * x], b = lo[2 * x + 1], c = hi[2 * x], d = hi[2 * x + 1];
            // Red and blue summed side by side in one word, green apart.
            const uint32_t rb = (a & 0xFF00FF) + (b & 0xFF00FF) + (c & 0xFF00FF) + (d & 0xFF00FF);
            const uint32_t g = G(a) + G(b) + G(c) + G(d);
            out[x] = ((rb >> 2) & 0xFF00FF) | (g >> 2) << 8;
        }
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
    std::unique_ptr<CImage> triple = ScaleTriple(source);
    return triple ? ScaleHalf(*triple) : nullptr;
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
