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
    static CImage images[2];
    return images[which];
}

// The image a reader is given: 3 x 2 pixels of a pattern in both planes, which
// a refused input must leave as it was (checked against the pattern itself
// rather than a copy, which would cost an allocation every run).
constexpr int32_t kGivenWidth = 3, kGivenHeight = 2;
inline uint32_t GivenColour(uint32_t i) {
    return 0x00102030u * (i + 1) & 0x00FFFFFFu;
}
inline uint32_t GivenAux(uint32_t i) {
    return 0xA5A5A5A5u ^ i;
}

// Runs the reader on the given image; the accepted image, or null.
inline const CImage* CheckDecoder(Decoder decode, const uint8_t* data, size_t size) {
    CImage& image = Scratch(0);
    image.Create(kGivenWidth, kGivenHeight);
    for (uint32_t i = 0; i < image.PixelCount(); ++i) {
        image.Bits()[i] = GivenColour(i);
        image.AuxBits()[i] = GivenAux(i);
    }
    if (!decode(image, data, size)) {
        if (image.Width() != kGivenWidth || image.Height() != kGivenHeight) __builtin_trap();
        for (uint32_t i = 0; i < image.PixelCount(); ++i)
            if (image.Bits()[i] != GivenColour(i) || image.AuxBits()[i] != GivenAux(i))
                __builtin_trap();
        return nullptr;
    }
    for (size_t i = 0; i < image.PixelCount(); ++i)
        if (image.Bits()[i] >> 24) __builtin_trap();
    return &image;
}
