// Parameterless colour commands: grey, inversion, 216 colours.
#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

void ConvertToGray(CImage& image) {
    const LuminanceTables& luminance = Luminance();
    uint32_t* plane = image.Bits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i)
        plane[i] = luminance(plane[i]) * 0x010101u;
}

void InvertColors(CImage& image) {
    // The reserved bits 24-31 are carried over, as the word is stored unchanged.
    uint32_t* plane = image.Bits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i)
        plane[i] ^= 0x00FFFFFFu;
}

void ReduceTo216Colors(CImage& image) {
    ChannelTable t;
    for (int v = 0; v < 256; ++v)
        t.to[v] = uint8_t(51 * int32_t(v / 51.0 + 0.5));
    MapChannels(image.Bits(), image.PixelCount(), t, t, t);
}
