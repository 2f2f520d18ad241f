// RGB conversion: an affine 3 x 4 colour matrix.
#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

namespace {

// The nine products m[i] x channel, one rounded double each, by channel value.
struct MatrixProducts {
    double p[9][256];
    explicit MatrixProducts(const double m[12]) {
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                for (int v = 0; v < 256; ++v)
                    p[row * 3 + col][v] = m[row * 4 + col] * v;
    }
    uint32_t Row(int row, const double m[12], unsigned r, unsigned g, unsigned b) const {
        return TruncToChannel(((p[row * 3][r] + p[row * 3 + 1][g]) + p[row * 3 + 2][b]) +
                              m[row * 4 + 3]);
    }
};

} // namespace

bool ConvertRgb(CImage& image, const double m[12]) {
    const MatrixProducts products(m);
    uint32_t* plane = image.Bits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t v = plane[i];
        const unsigned r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
        plane[i] = (products.Row(0, m, r, g, b) << 16) | (products.Row(1, m, r, g, b) << 8) |
                   products.Row(2, m, r, g, b);
    }
    return true;
}
