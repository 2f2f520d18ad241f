// Plain transcriptions of the geometric operations, pixel by pixel through the
// bounds-checked accessors. The shipped operations must match them exactly.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Image.h"

namespace ref {

void ExchangePixels(CImage& image, int32_t percent);
void PinholeCamera(CImage& image);
void FlipVertical(CImage& image);
void FlipHorizontal(CImage& image);
void ExchangeXY(CImage& image);
bool Trim(CImage& image, int32_t x, int32_t y, int32_t w, int32_t h);
bool Resample(CImage& image, int32_t w, int32_t h);
std::unique_ptr<CImage> ScaleHalf(const CImage& source);
std::unique_ptr<CImage> ScaleOneAndHalf(const CImage& source);
std::unique_ptr<CImage> ScaleDouble(const CImage& source);
std::unique_ptr<CImage> ScaleTriple(const CImage& source);

} // namespace ref
