// The batch tool's neighbourhood steps: 3x3 filters, blur, unsharp mask,
// outline and antialiasing.
#include "cli/Steps.h"
#include "ops/filters/FilterKernel.h"
#include "ops/filters/FilterOps.h"

namespace {

// The blur and unsharp windows offer ranges 1 to 6.
constexpr Param kRange = {.name = "RANGE", .least = 1, .most = 6};
constexpr Param kThreshold = {.name = "T", .least = 1};

constexpr Param Real(const char* name) {
    return {.name = name, .kind = ParamKind::Real};
}

bool OutOfMemory(std::string& why) {
    why = "not enough memory";
    return false;
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
    if (kernel.divisor == 0) {
        why = "DIVISOR must not be 0";
        return false;
    }
    return image.ApplyFilter3x3(kernel) || OutOfMemory(why);
}

bool RunBlur(CImage& image, const StepArg* args, std::string& why) {
    return image.Blur(args[0].i, args[1].r) || OutOfMemory(why);
}

bool RunUnsharp(CImage& image, const StepArg* args, std::string& why) {
    return image.UnsharpMask(args[0].i, args[1].r) || OutOfMemory(why);
}

bool RunOutline(CImage& image, const StepArg* args, std::string& why) {
    return AddOutline(image, args[0].i, 0) || OutOfMemory(why);
}

bool RunAntialias(CImage& image, const StepArg* args, std::string& why) {
    return Antialias(image, args[0].i) || OutOfMemory(why);
}

constexpr Step kSteps[] = {
    {"emboss",
     {},
     "grey relief: 128 + lower-right neighbour - upper-left neighbour",
     RunPlain<Emboss>},
    {"median",
     {},
     "take each pixel's colour from a neighbour chosen by luminance rank (the brightest of nine "
     "inside the border)",
     RunMedian},
    {"filter3x3",
     {Real("K1"),
      Real("K2"),
      Real("K3"),
      Real("K4"),
      Real("K5"),
      Real("K6"),
      Real("K7"),
      Real("K8"),
      Real("K9"),
      Real("ADDEND"),
      {.name = "DIVISOR", .kind = ParamKind::Real, .most = 999}},
     "3x3 kernel, K1-K3 the row above, K7-K9 the row below, each from the left; result = sum / "
     "DIVISOR + ADDEND (DIVISOR not 0); the border is kept",
     RunFilter3x3},
    {"blur",
     {kRange, Real("WEIGHT")},
     "average the (2 RANGE + 1)^2 square, the pixel itself weighing WEIGHT",
     RunBlur},
    {"unsharp",
     {kRange, Real("STRENGTH")},
     "sharpen: v + STRENGTH (v - blurred v), blurred over the square of RANGE",
     RunUnsharp},
    {"outline",
     {kThreshold},
     "paint black every pixel differing from one of its four neighbours by more than T",
     RunOutline},
    {"antialias",
     {kThreshold},
     "smooth every pixel differing from one of its eight neighbours by more than T",
     RunAntialias},
};

} // namespace

std::span<const Step> NeighbourhoodSteps() {
    return kSteps;
}
