// The batch tool's neighbourhood steps: 3x3 filters, blur, unsharp mask,
// outline and antialiasing.
#include "cli/Steps.h"
#include "core/ParameterRecords.h"
#include "ops/filters/FilterOps.h"

namespace {

constexpr int32_t kLargestRange = 6; // as the blur and unsharp windows offer

bool OutOfMemory(std::string& why) {
    why = "not enough memory";
    return false;
}

bool RangeAccepted(int32_t range, std::string& why) {
    if (range >= 1 && range <= kLargestRange) return true;
    why = "the range must be 1 to 6";
    return false;
}

bool ThresholdAccepted(int32_t threshold, std::string& why) {
    if (threshold >= 1) return true;
    why = "the threshold must be at least 1";
    return false;
}

bool RunEmboss(CImage& image, const StepArg*, std::string&) {
    Emboss(image);
    return true;
}

bool RunMedian(CImage& image, const StepArg*, std::string& why) {
    return image.MedianFilter() || OutOfMemory(why);
}

// K1..K9 as the custom-filter window shows them: top row first, each row from
// the left. The top row weighs the row above the pixel.
bool RunFilter3x3(CImage& image, const StepArg* args, std::string& why) {
    FilterKernel kernel;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            kernel.coefficients[3 * (2 - row) + column] = args[3 * row + column].r;
    kernel.addend = args[9].r;
    kernel.divisor = args[10].r;
    if (kernel.divisor == 0 || kernel.divisor > 999) {
        why = "the divisor must not be 0 or above 999";
        return false;
    }
    return image.ApplyFilter3x3(kernel) || OutOfMemory(why);
}

bool RunBlur(CImage& image, const StepArg* args, std::string& why) {
    if (!RangeAccepted(args[0].i, why)) return false;
    return image.Blur(args[0].i, args[1].r) || OutOfMemory(why);
}

bool RunUnsharp(CImage& image, const StepArg* args, std::string& why) {
    if (!RangeAccepted(args[0].i, why)) return false;
    return image.UnsharpMask(args[0].i, args[1].r) || OutOfMemory(why);
}

bool RunOutline(CImage& image, const StepArg* args, std::string& why) {
    if (!ThresholdAccepted(args[0].i, why)) return false;
    return AddOutline(image, args[0].i, 0) || OutOfMemory(why);
}

bool RunAntialias(CImage& image, const StepArg* args, std::string& why) {
    if (!ThresholdAccepted(args[0].i, why)) return false;
    return Antialias(image, args[0].i) || OutOfMemory(why);
}

const Step kSteps[] = {
    {"emboss", "", "", "grey relief: 128 + lower-right neighbour - upper-left neighbour",
     RunEmboss},
    {"median", "", "",
     "take each pixel's colour from a neighbour chosen by luminance rank (the brightest of nine "
     "inside the border)",
     RunMedian},
    {"filter3x3", "K1,K2,K3,K4,K5,K6,K7,K8,K9,ADDEND,DIVISOR", "rrrrrrrrrrr",
     "3x3 kernel, K1-K3 the row above, K7-K9 the row below, each from the left; result = sum / "
     "DIVISOR + ADDEND (DIVISOR not 0, at most 999); the border is kept",
     RunFilter3x3},
    {"blur", "RANGE,WEIGHT", "ir",
     "average the (2 RANGE + 1)^2 square (RANGE 1-6), the pixel itself weighing WEIGHT", RunBlur},
    {"unsharp", "RANGE,STRENGTH", "ir",
     "sharpen: v + STRENGTH (v - blurred v), blurred over the square of RANGE (1-6)", RunUnsharp},
    {"outline", "T", "i",
     "paint black every pixel differing from one of its four neighbours by more than T (T >= 1)",
     RunOutline},
    {"antialias", "T", "i",
     "smooth every pixel differing from one of its eight neighbours by more than T (T >= 1)",
     RunAntialias},
};

} // namespace

std::span<const Step> NeighbourhoodSteps() {
    return kSteps;
}
