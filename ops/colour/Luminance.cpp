// Luminance range mapping and contrast maximisation.
#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"
#include "ops/colour/YccChunks.h"

bool MapLuminanceRange(CImage* image, int32_t inLow, int32_t inHigh, int32_t outLow,
                       int32_t outHigh) {
    if (!image || inLow >= inHigh || outLow > outHigh) return false;
    // Spans and distances in 64 bits: bounds typed by the user need not fit
    // their difference into 32 bits. For every other range the doubles are the
    // same as with int arithmetic.
    const double scale = double(int64_t(outHigh) - outLow) / double(int64_t(inHigh) - inLow);
    ChannelTable y;
    for (int v = 0; v < 256; ++v)
        y.to[v] = uint8_t(TruncToChannel(double(int64_t(v) - inLow) * scale + outLow));
    const ChannelTable same = IdentityTable();
    return EditInYcc(*image, [&](uint32_t* aux, size_t n) { MapChannels(aux, n, y, same, same); });
}

bool MaximizeContrast(CImage& image) {
    const LuminanceTables& luminance = Luminance();
    const uint32_t* plane = image.Bits();
    const size_t n = image.PixelCount();
    uint32_t low = 255, high = 0;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t l = luminance(plane[i]);
        low = l < low ? l : low;
        high = l > high ? l : high;
    }
    // A flat (or empty) image gives low >= high: nothing to stretch.
    if (low >= high) return true;
    return MapLuminanceRange(&image, int32_t(low), int32_t(high), 0, 255);
}
