// Neighbourhood and geometric operations that are free functions. The member
// operations (ApplyFilter3x3, MedianFilter, Blur, UnsharpMask, SmoothAt, Trim,
// Resample) are declared with CImage.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Image.h"

// ---- 3x3 kernel filters ---------------------------------------------------
bool Emboss(CImage& image);

// ---- Outline and antialiasing ---------------------------------------------
// (R1 - R2)^2 + (G1 - G2)^2 + (B1 - B2)^2 of two colour words; inline, since
// the enlargements call it for every source pixel.
inline int32_t ColourDistanceSquared(uint32_t a, uint32_t b) {
    int32_t sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t d = int32_t(a >> shift & 0xFF) - int32_t(b >> shift & 0xFF);
        sum += d * d;
    }
    return sum;
}
bool AddOutline(CImage& image, int32_t threshold, uint32_t colour);
bool Antialias(CImage& image, int32_t threshold);

// ---- Pixel exchange and pinhole camera --------------------------------------
void ExchangePixels(CImage& image, int32_t percent);
bool PinholeCamera(CImage& image);

// ---- Flips and XY exchange ----------------------------------------------------
void FlipVertical(CImage& image);
void FlipHorizontal(CImage& image);
bool ExchangeXY(CImage& image);

// ---- Fixed scaling --------------------------------------------------------------
// Each returns a new image, or null when the source is too small or memory runs out.
std::unique_ptr<CImage> ScaleHalf(const CImage& source);
std::unique_ptr<CImage> ScaleOneAndHalf(const CImage& source);
std::unique_ptr<CImage> ScaleDouble(const CImage& source);
std::unique_ptr<CImage> ScaleTriple(const CImage& source);
// 50, 150, 200 or 300; null for any other percentage.
std::unique_ptr<CImage> ScaleImageByPercent(const CImage& source, int32_t percent);
