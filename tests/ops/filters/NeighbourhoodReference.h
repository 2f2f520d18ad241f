// Plain transcriptions of the neighbourhood operations, pixel by pixel through
// the bounds-checked accessors, in the defined loop order and arithmetic. The
// shipped operations are compared with these.
#pragma once

#include <cstdint>

#include "core/Image.h"
#include "ops/filters/FilterKernel.h"

namespace reference {

bool ApplyFilter3x3(CImage& image, const FilterKernel& kernel);
void Emboss(CImage& image);
void MedianFilter(CImage& image);
void Blur(CImage& image, int32_t range, double centreWeight);
void UnsharpMask(CImage& image, int32_t range, double strength);
int32_t ColourDistanceSquared(uint32_t a, uint32_t b);
void AddOutline(CImage& image, int32_t threshold, uint32_t colour);
void Antialias(CImage& image, int32_t threshold);
bool SmoothAt(CImage& image, int32_t x, int32_t y, int32_t radius, int32_t centreWeight);

} // namespace reference
