// 3x3 kernel filters: the convolution behind the custom filter, and emboss.
#include <utility>

#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"
#include "ops/filters/FilterKernel.h"
#include "ops/filters/FilterOps.h"
#include "ops/filters/Neighbourhood.h"

using namespace neighbourhood;

namespace {

// One image row as three rows of doubles, one per channel, so the products
// are formed exactly as with the channel values themselves.
struct ChannelRows {
    double* channel[3];
    void Load(const uint32_t* row, int32_t w) {
        for (int32_t x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                channel[c][x] = double(ChannelOf(row[x], c));
    }
};

// The kernel over one channel of an inner row, into out[1..w-2]. Entry 3k + l
// weighs the pixel at (x + l - 1, y + k - 1); the sum runs k outer, l inner.
void ConvolveRow(const FilterKernel& kernel, const double* const rows[3], int32_t w, uint8_t* out) {
    const double* k = kernel.coefficients;
    for (int32_t x = 1; x + 1 < w; ++x) {
        double sum = 0.0;
        for (int r = 0; r < 3; ++r)
            for (int l = 0; l < 3; ++l)
                sum += k[3 * r + l] * rows[r][x + l - 1];
        out[x] = uint8_t(TruncToChannel(sum / kernel.divisor + kernel.addend));
    }
}

} // namespace

bool CImage::ApplyFilter3x3(const FilterKernel& kernel) {
    // A NaN divisor fails both tests and is refused with the others.
    if (!(kernel.divisor != 0.0 && kernel.divisor <= 999.0)) return false;
    const int32_t w = width_, h = height_;
    if (w < 3 || h < 3) return true; // no inner pixel
    // Three rolling rows of the unchanged image (below, own, above) and one
    // result row per channel; results go straight into the image, whose rows
    // are loaded before they are overwritten.
    auto scratch = NewScratch<double>(9 * size_t(w));
    auto results = NewScratch<uint8_t>(3 * size_t(w));
    if (!scratch || !results) return false;
    ChannelRows rows[3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            rows[r].channel[c] = scratch.get() + size_t(3 * r + c) * w;
    rows[0].Load(colour_, w);
    rows[1].Load(colour_ + w, w);
    for (int32_t y = 1; y + 1 < h; ++y) {
        rows[2].Load(colour_ + size_t(y + 1) * w, w);
        for (int c = 0; c < 3; ++c) {
            const double* const channelRows[3] = {rows[0].channel[c], rows[1].channel[c],
                                                  rows[2].channel[c]};
            ConvolveRow(kernel, channelRows, w, results.get() + size_t(c) * w);
        }
        uint32_t* out = colour_ + size_t(y) * w;
        const uint8_t* red = results.get();
        for (int32_t x = 1; x + 1 < w; ++x)
            out[x] = Pack(red[x], red[x + w], red[x + 2 * size_t(w)]);
        std::swap(rows[0], rows[1]);
        std::swap(rows[1], rows[2]);
    }
    return true;
}

bool Emboss(CImage& image) {
    // The grey step works on a copy: when the filter finds no memory, the
    // image must not be left grey.
    CImage grey;
    if (!grey.CopyFrom(&image)) return false;
    ConvertToGray(grey);
    FilterKernel kernel;
    kernel.coefficients[2] = 1.0;  // lower right
    kernel.coefficients[6] = -1.0; // upper left
    kernel.addend = 128.0;
    kernel.divisor = 1.0;
    if (!grey.ApplyFilter3x3(kernel)) return false;
    image.Swap(grey);
    return true;
}
