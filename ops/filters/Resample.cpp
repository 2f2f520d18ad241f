// Area-weighted resampling to any size. Each destination pixel averages the
// source pixels its footprint touches, weighted in double precision; the
// weights depend only on the column and on the row, so they are worked out once
// per column and once per row before the pixel loop.
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "core/Image.h"

namespace {

struct Tap {
    int32_t index;
    double weight;
};

// A weighted channel sum divided by the weight sum, truncated and clamped. A
// footprint with no weight (an image without pixels) gives 0.
uint32_t Channel(double sum, double weights) {
    const double q = sum / weights;
    if (!(q >= 1)) return 0;
    if (q >= 255) return 255;
    return uint32_t(q);
}

// Calls f(k, weight) for the source positions that destination position d
// visits, in order, leaving out those beyond the old image.
template <typename F>
void ForEachTap(int32_t oldSize, double scale, double inverse, int32_t d, F&& f) {
    const int64_t first = int64_t(std::floor(double(d) * inverse));
    const int64_t end = int64_t(std::ceil(double(d + 1) * inverse));
    for (int64_t k = first; k < end && k < oldSize; ++k) {
        double w;
        if (k == first)
            w = double(k + 1) * scale - std::floor(double(k) * scale);
        else if (k == end - 1)
            w = double(d + 1) - double(k) * scale;
        else
            w = scale;
        f(int32_t(k), w);
    }
}

// The taps of every destination column (or row). Positions with a single tap
// are sorted into a few classes by weight, so that a row can tell once for each
// class whether the weighted quotient gives back every channel value unchanged.
class Footprints {
  public:
    static constexpr int kClasses = 8;

    bool Build(int32_t oldSize, int32_t newSize) {
        const double scale = double(newSize) / double(oldSize);
        const double inverse = 1.0 / scale;
        start_.reset(new (std::nothrow) size_t[size_t(newSize) + 1]);
        kind_.reset(new (std::nothrow) int8_t[size_t(newSize) + 1]);
        if (!start_ || !kind_) return false;
        size_t count = 0;
        for (int32_t d = 0; d < newSize; ++d) {
            start_[d] = count;
            ForEachTap(oldSize, scale, inverse, d, [&](int32_t, double) { ++count; });
        }
        start_[newSize] = count;
        taps_.reset(new (std::nothrow) Tap[count ? count : 1]);
        if (!taps_) return false;
        for (int32_t d = 0; d < newSize; ++d) {
            Tap* t = taps_.get() + start_[d];
            ForEachTap(oldSize, scale, inverse, d, [&](int32_t k, double w) { *t++ = {k, w}; });
            kind_[d] = Classify(d);
        }
        return true;
    }

    const Tap* Begin(int32_t d) const { return taps_.get() + start_[d]; }
    const Tap* End(int32_t d) const { return taps_.get() + start_[d + 1]; }
    // The weight class of a single-tap position, or -1.
    int Kind(int32_t d) const { return kind_[d]; }
    int Classes() const { return classes_; }
    double ClassWeight(int c) const { return classWeight_[c]; }

  private:
    int8_t Classify(int32_t d) {
        if (End(d) - Begin(d) != 1) return -1;
        const double w = Begin(d)->weight;
        for (int c = 0; c < classes_; ++c)
            if (classWeight_[c] == w) return int8_t(c);
        if (classes_ == kClasses) return -1;
        classWeight_[classes_] = w;
        return int8_t(classes_++);
    }

    std::unique_ptr<Tap[]> taps_;
    std::unique_ptr<size_t[]> start_;
    std::unique_ptr<int8_t[]> kind_;
    double classWeight_[kClasses] = {};
    int classes_ = 0;
};

uint32_t Average(const uint32_t* src, size_t stride, const Tap* rowBegin, const Tap* rowEnd,
                 const Tap* colBegin, const Tap* colEnd) {
    double r = 0, g = 0, b = 0, weights = 0;
    for (const Tap* ty = rowBegin; ty != rowEnd; ++ty) {
        const uint32_t* line = src + size_t(ty->index) * stride;
        for (const Tap* tx = colBegin; tx != colEnd; ++tx) {
            const double w = tx->weight * ty->weight;
            const uint32_t c = line[tx->index];
            r += w * double((c >> 16) & 0xFF);
            g += w * double((c >> 8) & 0xFF);
            b += w * double(c & 0xFF);
            weights += w;
        }
    }
    return Channel(r, weights) << 16 | Channel(g, weights) << 8 | Channel(b, weights);
}

// True when (w x c) / w truncates back to c for every channel value c: a
// single source pixel with weight w then passes through unchanged.
bool KeepsChannels(double w) {
    for (int c = 0; c < 256; ++c)
        if (Channel(w * double(c), w) != uint32_t(c)) return false;
    return true;
}

bool SameTaps(const Tap* a, const Tap* aEnd, const Tap* b, const Tap* bEnd) {
    if (aEnd - a != bEnd - b) return false;
    for (; a != aEnd; ++a, ++b)
        if (a->index != b->index || a->weight != b->weight) return false;
    return true;
}

} // namespace

bool CImage::Resample(int32_t w, int32_t h) {
    if (w < 0 || h < 0) return false;
    // The result first: a size that cannot be had is refused at once, before
    // the weight tables of a huge target are worked out.
    CImage result;
    if (!result.Create(w, h)) return false; // the image stays as it was
    Footprints cols, rows;
    if (!cols.Build(width_, w) || !rows.Build(height_, h)) return false;
    const size_t stride = size_t(width_);
    // For rows with one source row: the source column of each destination
    // column that takes its one pixel unchanged, or -1.
    std::unique_ptr<int32_t[]> direct(new (std::nothrow) int32_t[w ? size_t(w) : 1]);
    if (!direct) return false;
    double directFor = std::nan(""); // the row weight direct[] was worked out for
    for (int32_t i = 0; i < h; ++i) {
        uint32_t* out = result.colour_ + size_t(i) * size_t(w);
        const Tap* rb = rows.Begin(i);
        const Tap* re = rows.End(i);
        if (i > 0 && SameTaps(rb, re, rows.Begin(i - 1), rows.End(i - 1))) {
            std::memcpy(out, out - w, 4 * size_t(w));
            continue;
        }
        if (re - rb != 1) {
            for (int32_t u = 0; u < w; ++u)
                out[u] = Average(colour_, stride, rb, re, cols.Begin(u), cols.End(u));
            continue;
        }
        if (!(rb->weight == directFor)) {
            directFor = rb->weight;
            bool keeps[Footprints::kClasses];
            for (int c = 0; c < cols.Classes(); ++c)
                keeps[c] = KeepsChannels(cols.ClassWeight(c) * rb->weight);
            for (int32_t u = 0; u < w; ++u) {
                const int kind = cols.Kind(u);
                direct[u] = kind >= 0 && keeps[kind] ? cols.Begin(u)->index : -1;
            }
        }
        const uint32_t* line = colour_ + size_t(rb->index) * stride;
        for (int32_t u = 0; u < w; ++u)
            out[u] = direct[u] >= 0 ? line[direct[u]] & 0x00FFFFFFu
                                    : Average(colour_, stride, rb, re, cols.Begin(u), cols.End(u));
    }
    Swap(result);
    return true;
}
