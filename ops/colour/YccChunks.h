// Editing an image's colours in YCrCb without touching its auxiliary plane.
#pragma once

#include <cstring>

#include "core/Image.h"

// The result equals converting a full copy of the image with RgbToYcc, editing
// the copy's auxiliary words, converting back with YccToRgb and copying the
// colours into the image. Every pixel is independent, so the work runs through
// a small scratch image, chunk by chunk, instead of a full copy:
// edit(aux, count) changes count words of Y, Cr, Cb. False, with the image
// unchanged, when the scratch image cannot be had.
template <typename Edit> bool EditInYcc(CImage& image, Edit&& edit) {
    constexpr size_t kChunk = 8192;
    const size_t n = image.PixelCount();
    const size_t chunk = n < kChunk ? n : kChunk;
    CImage scratch;
    if (!scratch.Create(int32_t(chunk), 1)) return false;
    uint32_t* colours = image.Bits();
    for (size_t done = 0; done < n; done += chunk) {
        // A last, shorter chunk converts stale words behind it, harmlessly.
        const size_t count = n - done < chunk ? n - done : chunk;
        std::memcpy(scratch.Bits(), colours + done, count * sizeof(uint32_t));
        scratch.RgbToYcc();
        edit(scratch.AuxBits(), count);
        scratch.YccToRgb();
        std::memcpy(colours + done, scratch.Bits(), count * sizeof(uint32_t));
    }
    return true;
}
