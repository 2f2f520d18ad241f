// Colour operations not yet written: each leaves the image as it is. Remove an
// entry when its operation lands.
#include "ops/colour/ColourOps.h"

void ConvertToGray(CImage&) {}
void InvertColors(CImage&) {}
void ReduceTo216Colors(CImage&) {}
void AdjustR(CImage&, int32_t) {}
void AdjustG(CImage&, int32_t) {}
void AdjustB(CImage&, int32_t) {}
void AdjustY(CImage&, int32_t) {}
void AdjustCr(CImage&, int32_t) {}
void AdjustCb(CImage&, int32_t) {}
void ApplyComponentOffsets(CImage&, ColourModel, int32_t, int32_t, int32_t) {}
bool ConvertRgb(CImage&, const double*) { return false; }
bool MapLuminanceRange(CImage*, int32_t, int32_t, int32_t, int32_t) { return false; }
void MaximizeContrast(CImage&) {}
bool AdjustSaturation(CImage&, int32_t) { return false; }
bool CorrectGamma(CImage&, double) { return false; }
bool Posterize(CImage&, int32_t, int32_t, int32_t) { return false; }
bool ToneCut(CImage&, int32_t, int32_t, int32_t, int32_t, int32_t) { return false; }
void ReplaceColor(CImage&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
bool EnlargeColorDifference(CImage&, double) { return false; }
