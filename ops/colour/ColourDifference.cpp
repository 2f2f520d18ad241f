// Colour-difference enlargement: each channel pushed away from the average of
// its four direct neighbours.
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

namespace {

// The three channels in 16-bit lanes (B at bit 0, G at 16, R at 32), so that
// up to four neighbours add without carries between channels.
inline uint64_t Spread(uint32_t v) {
    return (v & 0xFF) | (uint64_t(v & 0xFF00) << 8) | (uint64_t(v & 0xFF0000) << 16);
}

// trunc(k x d) for d = v - avg in -255..255, indexed by d + 255. Clamping the
// amount to +-512 changes no result, as v + amount is clamped to 0..255.
struct Amounts {
    int32_t of[511];
    explicit Amounts(double k) {
        for (int32_t d = -255; d <= 255; ++d)
            of[d + 255] = TruncClamped(k * d, -512, 512);
    }
};

inline uint32_t Enlarged(uint32_t v, uint64_t sums, uint32_t n, const Amounts& amounts) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t c = int32_t((v >> shift) & 0xFF);
        const int32_t avg = int32_t(((sums >> (2 * shift)) & 0xFFFF) / n);
        out |= ClampChannel(c + amounts.of[c - avg + 255]) << shift;
    }
    return out;
}

// One row; below and above are the original rows y - 1 and y + 1 (null when
// outside the image), row the original row y, out the row to write.
void EnlargeRow(const uint32_t* below, const uint32_t* row, const uint32_t* above, uint32_t* out,
                int32_t width, const Amounts& amounts) {
    auto pixel = [&](int32_t x) {
        uint64_t sums = 0;
        uint32_t n = 0;
        if (x > 0) sums += Spread(row[x - 1]), ++n;
        if (below) sums += Spread(below[x]), ++n;
        if (x + 1 < width) sums += Spread(row[x + 1]), ++n;
        if (above) sums += Spread(above[x]), ++n;
        if (n) out[x] = Enlarged(row[x], sums, n, amounts); // a lone pixel has no average
    };
    if (!below || !above || width < 3) {
        for (int32_t x = 0; x < width; ++x)
            pixel(x);
        return;
    }
    pixel(0);
    for (int32_t x = 1; x + 1 < width; ++x) {
        const uint64_t sums =
            Spread(row[x - 1]) + Spread(below[x]) + Spread(row[x + 1]) + Spread(above[x]);
        out[x] = Enlarged(row[x], sums, 4, amounts);
    }
    pixel(width - 1);
}

} // namespace

bool EnlargeColorDifference(CImage& image, double k) {
    if (k == 0) return true;
    const int32_t width = image.Width(), height = image.Height();
    if (width == 0 || height == 0) return true;
    // Rows y - 1 and y as they were; row y + 1 is still unchanged in the image.
    const size_t rowBytes = size_t(width) * sizeof(uint32_t);
    std::unique_ptr<uint32_t[]> rows(new (std::nothrow) uint32_t[2 * size_t(width)]);
    if (!rows) return false;
    uint32_t* previous = rows.get();
    uint32_t* current = rows.get() + width;
    const Amounts amounts(k);
    uint32_t* plane = image.Bits();
    for (int32_t y = 0; y < height; ++y) {
        uint32_t* out = plane + size_t(y) * size_t(width);
        std::memcpy(current, out, rowBytes);
        const uint32_t* above = y + 1 < height ? out + width : nullptr;
        EnlargeRow(y > 0 ? previous : nullptr, current, above, out, width, amounts);
        std::swap(previous, current);
    }
    return true;
}
