// Random pixel exchange and the pinhole-camera look.
#include <memory>

#include "core/Random.h"
#include "ops/colour/ColourOps.h"
#include "ops/filters/FilterOps.h"

void ExchangePixels(CImage& image, int32_t percent) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    uint32_t* bits = image.Bits();
    uint32_t* pixel = bits;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x, ++pixel) {
            if (NextRandom() % 100 >= percent) continue;
            const int32_t px = NextRandom() % w;
            const int32_t py = NextRandom() % h;
            uint32_t& partner = bits[size_t(px) + size_t(py) * size_t(w)];
            const uint32_t old = *pixel;
            *pixel = partner;
            partner = old;
        }
}

namespace {

// Three quarters of the softened grey copy, one quarter of the picture's colour.
void BlendGreyCopy(CImage& grey, const CImage& image) {
    const size_t n = image.PixelCount();
    const uint32_t* colour = image.Bits();
    uint32_t* out = grey.Bits();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t p = out[i];
        const uint32_t c = colour[i];
        uint32_t word = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            word |= ((3 * ((p >> shift) & 0xFF) + ((c >> shift) & 0xFF)) / 4) << shift;
        out[i] = word;
    }
}

} // namespace

bool PinholeCamera(CImage& image) {
    const int32_t w = image.Width();
    const int32_t h = image.Height();
    if (w < 16 || h < 16) return true;
    // All the work happens on a copy, so a failed allocation anywhere leaves the
    // picture as it was.
    CImage soft;
    if (!soft.CopyFrom(&image)) return false;
    if (!soft.Resample(w / 4, h / 4) || !soft.Resample(w, h)) return false;
    if (!soft.Blur(1, 0.2)) return false;
    ConvertToGray(soft);
    BlendGreyCopy(soft, image);
    if (!soft.UnsharpMask(2, -0.7)) return false;
    image.CopyColorsFrom(&soft);
    return true;
}
