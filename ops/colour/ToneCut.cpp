// Tone cut and single-colour replacement: selected pixels painted one colour.
#include <initializer_list>

#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

namespace {

uint32_t ClampedWord(int32_t r, int32_t g, int32_t b) {
    return (ClampChannel(r) << 16) | (ClampChannel(g) << 8) | ClampChannel(b);
}

} // namespace

bool ToneCut(CImage& image, int32_t mode, int32_t threshold, int32_t r, int32_t g, int32_t b) {
    if (mode != 1 && mode != 2) return false;
    image.RgbToYcc(); // the auxiliary plane keeps these values afterwards
    bool selected[256];
    for (int32_t y = 0; y < 256; ++y)
        selected[y] = mode == 1 ? y <= threshold : y >= threshold;
    const uint32_t paint = ClampedWord(r, g, b);
    uint32_t* colours = image.Bits();
    const uint32_t* aux = image.AuxBits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i)
        if (selected[(aux[i] >> 16) & 0xFF]) colours[i] = paint;
    return true;
}

void ReplaceColor(CImage& image, int32_t r, int32_t g, int32_t b, int32_t newR, int32_t newG,
                  int32_t newB) {
    // A channel outside 0..255 matches no pixel.
    for (int32_t v : {r, g, b})
        if (v < 0 || v > 255) return;
    const uint32_t find = uint32_t(r << 16 | g << 8 | b);
    // Out-of-range new channels are clamped, so bits 24-31 stay zero.
    const uint32_t paint = ClampedWord(newR, newG, newB);
    uint32_t* colours = image.Bits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i)
        if ((colours[i] & 0x00FFFFFFu) == find) colours[i] = paint;
}
