// Plain transcriptions of the colour operations, pixel by pixel through the
// bounds-checked accessors, in the defined loop order and arithmetic. The
// shipped operations are compared with these.
#pragma once

#include <cstdint>
#include <string>

#include "core/Image.h"
#include "tests/support/TestImages.h"

namespace reference {

void ConvertToGray(CImage& image);
void InvertColors(CImage& image);
void ReduceTo216Colors(CImage& image);
void AdjustR(CImage& image, int32_t offset);
void AdjustG(CImage& image, int32_t offset);
void AdjustB(CImage& image, int32_t offset);
void AdjustY(CImage& image, int32_t offset);
void AdjustCr(CImage& image, int32_t offset);
void AdjustCb(CImage& image, int32_t offset);
void ApplyComponentOffsets(CImage& image, bool ycc, int32_t a, int32_t b, int32_t c);
void ConvertRgb(CImage& image, const double m[12]);
bool MapLuminanceRange(CImage& image, int32_t inLow, int32_t inHigh, int32_t outLow,
                       int32_t outHigh);
void MaximizeContrast(CImage& image);
void AdjustSaturation(CImage& image, int32_t amount);
void CorrectGamma(CImage& image, double gamma);
bool Posterize(CImage& image, int32_t levelsR, int32_t levelsG, int32_t levelsB);
bool ToneCut(CImage& image, int32_t mode, int32_t threshold, int32_t r, int32_t g, int32_t b);
void ReplaceColor(CImage& image, int32_t r, int32_t g, int32_t b, int32_t newR, int32_t newG,
                  int32_t newB);
void EnlargeColorDifference(CImage& image, double k);

} // namespace reference

// ForEachTestImage, and each image again with random bits 24-31 in its colour
// words, which only inversion and the selective operations must keep.
template <typename F> void ForEachColourTestImage(F&& f) {
    ForEachTestImage([&](CImage& image, const std::string& what) {
        CImage dirty = image;
        f(image, what);
        uint32_t* plane = dirty.Bits();
        for (size_t i = 0; i < dirty.PixelCount(); ++i)
            plane[i] |= (uint32_t(i) * 2654435761u) & 0xFF000000u;
        f(dirty, what + " with reserved bits");
    });
}

// Runs shipped and expected on copies of every test image and reports the
// first image where the two differ in either plane.
template <typename Shipped, typename Expected>
std::string CompareOnTestImages(Shipped&& shipped, Expected&& expected) {
    std::string failure;
    ForEachColourTestImage([&](CImage& image, const std::string& what) {
        if (!failure.empty()) return;
        CImage want = image, got = image;
        expected(want);
        shipped(got);
        const std::string difference = DescribeDifference(want, got, true);
        if (!difference.empty()) failure = what + ": " + difference;
    });
    return failure;
}

// A 1-row image of the given colour words.
CImage RowOf(std::initializer_list<uint32_t> words);
