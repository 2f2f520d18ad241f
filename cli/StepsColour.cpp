// The batch tool's colour and tone steps.
#include "cli/Steps.h"
#include "ops/colour/ColourOps.h"

namespace {

constexpr Param Channel(const char* name) {
    return {.name = name, .least = 0, .most = 255};
}
constexpr Param Levels(const char* name) {
    return {.name = name, .least = 2, .most = 256};
}
constexpr Param Real(const char* name) {
    return {.name = name, .kind = ParamKind::Real};
}

bool RunAdjustRgb(CImage& image, const StepArg* args, std::string&) {
    ApplyComponentOffsets(image, ColourModel::Rgb, args[0].i, args[1].i, args[2].i);
    return true;
}

bool RunAdjustYcc(CImage& image, const StepArg* args, std::string&) {
    ApplyComponentOffsets(image, ColourModel::YCrCb, args[0].i, args[1].i, args[2].i);
    return true;
}

bool RunRgbMatrix(CImage& image, const StepArg* args, std::string&) {
    double m[12];
    for (int i = 0; i < 12; ++i)
        m[i] = args[i].r;
    return ConvertRgb(image, m);
}

bool RunMapLuminance(CImage& image, const StepArg* args, std::string& why) {
    if (MapLuminanceRange(&image, args[0].i, args[1].i, args[2].i, args[3].i)) return true;
    why = args[0].i >= args[1].i ? "the input range needs INLO below INHI"
                                 : "the output range needs OUTLO at most OUTHI";
    return false;
}

bool RunSaturation(CImage& image, const StepArg* args, std::string& why) {
    if (AdjustSaturation(image, args[0].i)) return true;
    why = "not enough memory";
    return false;
}

bool RunGamma(CImage& image, const StepArg* args, std::string& why) {
    if (CorrectGamma(image, args[0].r)) return true;
    why = "gamma must be greater than 0";
    return false;
}

bool RunPosterize(CImage& image, const StepArg* args, std::string& why) {
    if (Posterize(image, args[0].i, args[1].i, args[2].i)) return true;
    why = "each number of levels must be 2 to 256";
    return false;
}

bool RunToneCut(CImage& image, const StepArg* args, std::string& why) {
    if (ToneCut(image, args[0].i, args[1].i, args[2].i, args[3].i, args[4].i)) return true;
    why = "the mode must be 1 (at or below) or 2 (at or above)";
    return false;
}

bool RunReplace(CImage& image, const StepArg* args, std::string&) {
    ReplaceColor(image, args[0].i, args[1].i, args[2].i, args[3].i, args[4].i, args[5].i);
    return true;
}

bool RunColourDiff(CImage& image, const StepArg* args, std::string& why) {
    if (EnlargeColorDifference(image, args[0].r)) return true;
    why = "not enough memory";
    return false;
}

constexpr Step kSteps[] = {
    {"gray",
     {},
     "make the picture grey (luminance 0.299 R + 0.587 G + 0.114 B)",
     RunPlain<ConvertToGray>},
    {"invert", {}, "invert every colour", RunPlain<InvertColors>},
    {"reduce216",
     {},
     "round each channel to a multiple of 51 (216 colours)",
     RunPlain<ReduceTo216Colors>},
    {"adjust-rgb",
     {{.name = "R"}, {.name = "G"}, {.name = "B"}},
     "add R, G and B to the channels, saturating at 0 and 255",
     RunAdjustRgb},
    {"adjust-ycc",
     {{.name = "Y"}, {.name = "CR"}, {.name = "CB"}},
     "add Y, CR and CB to the YCrCb components (the colours pass through YCrCb)",
     RunAdjustYcc},
    {"rgb-matrix",
     {Real("M0"), Real("M1"), Real("M2"), Real("M3"), Real("M4"), Real("M5"), Real("M6"),
      Real("M7"), Real("M8"), Real("M9"), Real("M10"), Real("M11")},
     "new R = M0 R + M1 G + M2 B + M3, G and B likewise from M4-M7 and M8-M11",
     RunRgbMatrix},
    {"map-luminance",
     {{.name = "INLO"}, {.name = "INHI"}, {.name = "OUTLO"}, {.name = "OUTHI"}},
     "map luminance INLO..INHI linearly onto OUTLO..OUTHI (INLO < INHI, OUTLO <= OUTHI)",
     RunMapLuminance},
    {"maximize-contrast", {}, "stretch the luminance to span 0..255", RunPlain<MaximizeContrast>},
    {"saturation",
     {{.name = "AMOUNT"}},
     "lengthen (or shorten, when negative) every chroma by AMOUNT",
     RunSaturation},
    {"gamma",
     {{.name = "G", .kind = ParamKind::Real, .least = 0, .aboveLeast = true}},
     "gamma correction: each channel to the power 1/G",
     RunGamma},
    {"posterize",
     {Levels("NR"), Levels("NG"), Levels("NB")},
     "reduce R, G and B to NR, NG and NB levels",
     RunPosterize},
    {"tone-cut",
     {{.name = "MODE", .least = 1, .most = 2},
      {.name = "THRESHOLD"},
      Channel("R"),
      Channel("G"),
      Channel("B")},
     "paint pixels whose luminance is at or below (MODE 1) or at or above (MODE 2) THRESHOLD "
     "with R,G,B",
     RunToneCut},
    {"replace",
     {Channel("R"), Channel("G"), Channel("B"), Channel("R2"), Channel("G2"), Channel("B2")},
     "replace the colour R,G,B by R2,G2,B2",
     RunReplace},
    {"color-diff",
     {Real("K")},
     "push each channel away from its four neighbours' average by the factor K (0-1)",
     RunColourDiff},
};

} // namespace

std::span<const Step> ColourSteps() {
    return kSteps;
}
