// Neighbourhood operations not yet written. Remove an entry when it lands.
#include "core/ParameterRecords.h"
#include "ops/filters/FilterOps.h"

bool CImage::ApplyFilter3x3(const FilterKernel&) { return false; }
bool CImage::MedianFilter() { return false; }
bool CImage::Blur(int32_t, double) { return false; }
bool CImage::UnsharpMask(int32_t, double) { return false; }
bool CImage::SmoothAt(int32_t, int32_t, int32_t, int32_t) { return false; }
void Emboss(CImage&) {}
int32_t ColourDistanceSquared(uint32_t, uint32_t) { return 0; }
bool AddOutline(CImage&, int32_t, uint32_t) { return false; }
bool Antialias(CImage&, int32_t) { return false; }
