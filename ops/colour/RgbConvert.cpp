// RGB conversion: an affine 3 x 4 colour matrix.
#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

namespace {

// One row of the matrix applied to a pixel's channels, in the defined order.
inline uint32_t Row(const double* m, double r, double g, double b) {
    return TruncToChannel(((m[0] * r + m[1] * g) + m[2] * b) + m[3]);
}

} // namespace

bool ConvertRgb(CImage& image, const double m[12]) {
    // Plain arithmetic rather than product tables: the loop has no lookups and
    // the compiler can run two pixels at once in vector registers.
    const double k[12] = {m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11]};
    uint32_t* plane = image.Bits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = plane[i];
        const double r = double((v >> 16) & 0xFF), g = double((v >> 8) & 0xFF),
                     b = double(v & 0xFF);
        plane[i] = (Row(k, r, g, b) << 16) | (Row(k + 4, r, g, b) << 8) | Row(k + 8, r, g, b);
    }
    return true;
}
