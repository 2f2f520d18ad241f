#include "ops/colour/PixelMath.h"

ChannelTable IdentityTable() {
    ChannelTable t;
    for (int v = 0; v < 256; ++v)
        t.to[v] = uint8_t(v);
    return t;
}

ChannelTable OffsetTable(int32_t offset) {
    ChannelTable t;
    for (int v = 0; v < 256; ++v) {
        const int64_t sum = int64_t(v) + offset; // offsets of any size saturate
        t.to[v] = uint8_t(sum < 0 ? 0 : (sum > 255 ? 255 : sum));
    }
    return t;
}

void MapChannels(uint32_t* plane, size_t count, const ChannelTable& r, const ChannelTable& g,
                 const ChannelTable& b) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t v = plane[i];
        plane[i] = (uint32_t(r.to[(v >> 16) & 0xFF]) << 16) |
                   (uint32_t(g.to[(v >> 8) & 0xFF]) << 8) | uint32_t(b.to[v & 0xFF]);
    }
}

LuminanceTables::LuminanceTables() {
    for (int v = 0; v < 256; ++v) {
        g_[v] = v * 0.587;
        r_[v] = v * 0.299;
        b_[v] = v * 0.114;
    }
}

const LuminanceTables& Luminance() {
    static const LuminanceTables tables;
    return tables;
}
