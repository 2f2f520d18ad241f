// Saturation: the chroma vector of every pixel lengthened or shortened.
#include <cmath>
#include <memory>
#include <new>

#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"
#include "ops/colour/YccChunks.h"

namespace {

// The new Cr, Cb (as Cr << 8 | Cb) for the old ones.
uint32_t ChangedChroma(int32_t oldCr, int32_t oldCb, int32_t amount) {
    constexpr uint32_t kGrey = (128u << 8) | 128u;
    const int32_t cr = oldCr - 128, cb = oldCb - 128;
    const double r = std::sqrt(double(cr * cr + cb * cb));
    if (r < 1) return kGrey;
    double theta = std::acos(cr / r);
    if (cb < 0) theta = 6.28318 - theta;
    const double length = r + amount;
    if (length < 1) return kGrey;
    return (TruncToChannel(length * std::cos(theta) + 128) << 8) |
           TruncToChannel(length * std::sin(theta) + 128);
}

} // namespace

bool AdjustSaturation(CImage& image, int32_t amount) {
    // The result depends on Cr and Cb alone, so each pair is worked out once,
    // when it first occurs; bit 31 marks an entry as known.
    constexpr uint32_t kKnown = 0x80000000u;
    std::unique_ptr<uint32_t[]> chroma(new (std::nothrow) uint32_t[65536]());
    if (!chroma) return false;
    uint32_t* table = chroma.get();
    return EditInYcc(image, [table, amount](uint32_t* aux, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            const uint32_t pair = aux[i] & 0xFFFF;
            uint32_t& entry = table[pair];
            if (!entry)
                entry = kKnown | ChangedChroma(int32_t(pair >> 8), int32_t(pair & 0xFF), amount);
            aux[i] = (aux[i] & 0x00FF0000u) | (entry & 0xFFFF);
        }
    });
}
