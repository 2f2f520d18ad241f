// Arithmetic shared by the colour operations' raw-plane loops.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/Image.h"

// Truncation toward zero followed by a clamp to lo..hi, defined for every
// double: values beyond the int range saturate and NaN gives 0 (lo <= 0 <= hi
// wherever NaN can arise), where a plain int conversion would be undefined.
inline int32_t TruncClamped(double v, int32_t lo, int32_t hi) {
    if (v >= double(hi)) return hi;
    if (v <= double(lo)) return lo;
    if (v != v) return 0;
    return int32_t(v);
}

// A channel value as the setters store it: truncated, then clamped to 0..255
// (NaN gives 0). Clamping the double first gives the same value without
// branches: (-1, 0) truncates to 0 either way.
inline uint32_t TruncToChannel(double v) {
    const double low = 0.0 < v ? v : 0.0; // NaN fails the test and becomes 0
    return uint32_t(int32_t(low < 255.0 ? low : 255.0));
}

// A new value for each old value of one 8-bit channel.
struct ChannelTable {
    uint8_t to[256];
};

ChannelTable IdentityTable();
// v + offset, clamped to 0..255.
ChannelTable OffsetTable(int32_t offset);

// Every word of the plane becomes (R', G', B') = (r[R], g[G], b[B]), with
// bits 24-31 zero, as when all three channels go through the setters.
void MapChannels(uint32_t* plane, size_t count, const ChannelTable& r, const ChannelTable& g,
                 const ChannelTable& b);

// The luminance G x 0.587 + R x 0.299 + B x 0.114 of a colour word, in that
// order, truncated and clamped: CImage::GetLuminance (and the Y of RgbToYcc)
// without the bounds test. Each product is one rounded double, so they come
// from tables.
class LuminanceTables {
  public:
    LuminanceTables();
    uint32_t operator()(uint32_t word) const {
        const double l = (g_[(word >> 8) & 0xFF] + r_[(word >> 16) & 0xFF]) + b_[word & 0xFF];
        return l > 255.0 ? 255u : uint32_t(l);
    }

  private:
    double g_[256], r_[256], b_[256];
};
const LuminanceTables& Luminance();
