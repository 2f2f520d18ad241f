// Colour and tone operations: each changes a CImage in place, pixel by pixel.
#pragma once

#include <cstdint>

#include "core/Image.h"

// ---- Parameterless colour commands ---------------------------------------
void ConvertToGray(CImage& image);
void InvertColors(CImage& image);
void ReduceTo216Colors(CImage& image);

// ---- Component adjustment --------------------------------------------------
// Offsets of any size saturate: the sum is clamped to 0..255.
void AdjustR(CImage& image, int32_t offset);
void AdjustG(CImage& image, int32_t offset);
void AdjustB(CImage& image, int32_t offset);
// These three act on the auxiliary plane, which the caller fills with
// RgbToYcc before and turns back with YccToRgb after.
void AdjustY(CImage& image, int32_t offset);
void AdjustCr(CImage& image, int32_t offset);
void AdjustCb(CImage& image, int32_t offset);

enum class ColourModel { Rgb, YCrCb };
// The three offsets in a model; YCrCb converts, offsets and converts back.
void ApplyComponentOffsets(CImage& image, ColourModel model, int32_t a, int32_t b, int32_t c);

// ---- RGB conversion ----------------------------------------------------------
// Results beyond the int range count as 0 or 255 like any other out-of-range
// value; NaN gives 0.
bool ConvertRgb(CImage& image, const double m[12]);

// ---- Brightness-contrast and saturation -------------------------------------
// False, image unchanged, when image is null, inLow >= inHigh or outLow > outHigh.
bool MapLuminanceRange(CImage* image, int32_t inLow, int32_t inHigh, int32_t outLow,
                       int32_t outHigh);
bool MaximizeContrast(CImage& image);
// False, image unchanged, only when memory for its working table runs out.
bool AdjustSaturation(CImage& image, int32_t amount);

// ---- Gamma correction and posterisation -------------------------------------
// False, image unchanged, unless gamma > 0.
bool CorrectGamma(CImage& image, double gamma);
// False, image unchanged, when a count lies outside 2..256.
bool Posterize(CImage& image, int32_t levelsR, int32_t levelsG, int32_t levelsB);

// ---- Tone cut and single-colour replacement ----------------------------------
// mode 1: at or below the threshold; 2: at or above. False for any other mode.
bool ToneCut(CImage& image, int32_t mode, int32_t threshold, int32_t r, int32_t g, int32_t b);
// Pixels of colour (r, g, b) become (newR, newG, newB); bits 24-31 do not take
// part in the match and become 0. An old channel outside 0..255 matches
// nothing; new channels are clamped to 0..255.
void ReplaceColor(CImage& image, int32_t r, int32_t g, int32_t b, int32_t newR, int32_t newG,
                  int32_t newB);

// ---- Colour-difference enlargement -------------------------------------------
// A pixel without neighbours (a 1 x 1 image) keeps its value. False, image
// unchanged, only when memory for two rows runs out.
bool EnlargeColorDifference(CImage& image, double k);
