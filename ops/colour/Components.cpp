// Component adjustment: a signed offset per channel, saturating at 0 and 255.
#include "ops/colour/ColourOps.h"
#include "ops/colour/PixelMath.h"

namespace {

// Setting one channel through its setter also clears bits 24-31, which the
// identity tables of the other two channels reproduce.
void AdjustOne(uint32_t* plane, size_t n, int shift, int32_t offset) {
    const ChannelTable same = IdentityTable();
    const ChannelTable moved = OffsetTable(offset);
    MapChannels(plane, n, shift == 16 ? moved : same, shift == 8 ? moved : same,
                shift == 0 ? moved : same);
}

} // namespace

void AdjustR(CImage& image, int32_t offset) {
    AdjustOne(image.Bits(), image.PixelCount(), 16, offset);
}
void AdjustG(CImage& image, int32_t offset) {
    AdjustOne(image.Bits(), image.PixelCount(), 8, offset);
}
void AdjustB(CImage& image, int32_t offset) {
    AdjustOne(image.Bits(), image.PixelCount(), 0, offset);
}
void AdjustY(CImage& image, int32_t offset) {
    AdjustOne(image.AuxBits(), image.PixelCount(), 16, offset);
}
void AdjustCr(CImage& image, int32_t offset) {
    AdjustOne(image.AuxBits(), image.PixelCount(), 8, offset);
}
void AdjustCb(CImage& image, int32_t offset) {
    AdjustOne(image.AuxBits(), image.PixelCount(), 0, offset);
}

void ApplyComponentOffsets(CImage& image, ColourModel model, int32_t a, int32_t b, int32_t c) {
    // Each channel's offset depends on that channel alone, so the three
    // adjustments fold into one pass over the plane.
    const ChannelTable ta = OffsetTable(a), tb = OffsetTable(b), tc = OffsetTable(c);
    if (model == ColourModel::Rgb) {
        MapChannels(image.Bits(), image.PixelCount(), ta, tb, tc);
        return;
    }
    image.RgbToYcc();
    MapChannels(image.AuxBits(), image.PixelCount(), ta, tb, tc);
    image.YccToRgb();
}
