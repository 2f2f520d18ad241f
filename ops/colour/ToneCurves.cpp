// Per-channel tone curves: gamma correction and posterisation.
#include <cmath>
#include <initializer_list>

#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

namespace {

ChannelTable PosterizeTable(int32_t levels) {
    ChannelTable t{};
    const double step = 256.0 / levels;
    const double scale = 255.0 / (levels - 1);
    for (int32_t k = 0; k < levels; ++k) {
        const int32_t lo = int32_t(std::floor(k * step));
        // The last band reaches 255 even when (k + 1) x step falls a hair short.
        const int32_t hi = k == levels - 1 ? 256 : int32_t(std::floor((k + 1) * step));
        for (int32_t i = lo; i < hi; ++i)
            t.to[i] = uint8_t(int32_t(k * scale));
    }
    return t;
}

} // namespace

bool CorrectGamma(CImage& image, double gamma) {
    if (!(gamma > 0)) return false; // 1 / gamma would be infinite or negative
    const double e = 1.0 / gamma;
    ChannelTable t;
    for (int v = 0; v < 256; ++v)
        t.to[v] = uint8_t(TruncToChannel(std::pow(v / 255.0, e) * 255.0));
    MapChannels(image.Bits(), image.PixelCount(), t, t, t);
    return true;
}

bool Posterize(CImage& image, int32_t levelsR, int32_t levelsG, int32_t levelsB) {
    for (int32_t levels : {levelsR, levelsG, levelsB})
        if (levels < 2 || levels > 256) return false;
    MapChannels(image.Bits(), image.PixelCount(), PosterizeTable(levelsR), PosterizeTable(levelsG),
                PosterizeTable(levelsB));
    return true;
}
