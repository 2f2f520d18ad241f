// What every reader's fuzz target checks beyond memory safety: a refused input
// leaves the image exactly as it was, and an accepted one keeps bits 24-31 of
// every colour word zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/Image.h"

using Decoder = bool (*)(CImage& image, const uint8_t* data, size_t size);

inline bool SamePlanes(const CImage& a, const CImage& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Bits(), b.Bits(), 8 * a.PixelCount()) == 0;
}

// The images live across runs: a new CImage starts as a 128 x 128 block, whose
// allocation would cost more than the decoding itself.
inline CImage& Scratch(int which) {
    static CImage images[3];
    return images[which];
}

inline int CheckDecoder(Decoder decode, const uint8_t* data, size_t size) {
    CImage& image = Scratch(0);
    image.Create(3, 2);
    for (uint32_t i = 0; i < 6; ++i) {
        image.Bits()[i] = 0x00102030u * (i + 1) & 0x00FFFFFFu;
        image.AuxBits()[i] = 0xA5A5A5A5u ^ i;
    }
    CImage& before = Scratch(1);
    before.CopyFrom(&image);
    if (!decode(image, data, size)) {
        if (!SamePlanes(before, image)) __builtin_trap();
        return 0;
    }
    for (size_t i = 0; i < image.PixelCount(); ++i)
        if (image.Bits()[i] >> 24) __builtin_trap();
    return 0;
}
