// Geometric operations not yet written. Remove an entry when it lands.
#include "core/Document.h"
#include "ops/filters/FilterOps.h"

bool CImage::Trim(int32_t, int32_t, int32_t, int32_t) { return false; }
bool CImage::Resample(int32_t, int32_t) { return false; }
void ExchangePixels(CImage&, int32_t) {}
void PinholeCamera(CImage&) {}
void FlipVertical(CImage&) {}
void FlipHorizontal(CImage&) {}
void ExchangeXY(CImage&) {}
std::unique_ptr<CImage> ScaleHalf(const CImage&) { return nullptr; }
std::unique_ptr<CImage> ScaleOneAndHalf(const CImage&) { return nullptr; }
std::unique_ptr<CImage> ScaleDouble(const CImage&) { return nullptr; }
std::unique_ptr<CImage> ScaleTriple(const CImage&) { return nullptr; }
std::unique_ptr<CImage> ScaleImageByPercent(const CImage&, int32_t) { return nullptr; }
bool ScaleByPercent(CImageDocument&, int32_t) { return false; }
