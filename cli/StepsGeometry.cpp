// The batch tool's geometric steps.
#include <memory>

#include "cli/Steps.h"
#include "ops/filters/FilterOps.h"

namespace {

bool RunExchange(CImage& image, const StepArg* args, std::string&) {
    ExchangePixels(image, args[0].i);
    return true;
}

bool RunTrim(CImage& image, const StepArg* args, std::string& why) {
    if (image.Trim(args[0].i, args[1].i, args[2].i, args[3].i)) return true;
    why = "the lower-left pixel must lie inside the image but not in its last column or row, "
          "and the size must be at least 1x1 (or memory ran out)";
    return false;
}

bool RunResample(CImage& image, const StepArg* args, std::string& why) {
    if (image.Resample(args[0].i, args[1].i)) return true;
    why = "not enough memory for an image of that size";
    return false;
}

bool RunScale(CImage& image, const StepArg* args, std::string& why) {
    std::unique_ptr<CImage> scaled = ScaleImageByPercent(image, args[0].i);
    if (!scaled) {
        why = "the image is too small (at least 5x5 for 50 and 200, 3x3 for 150 and 300) "
              "or memory ran out";
        return false;
    }
    image.Swap(*scaled);
    return true;
}

constexpr Step kSteps[] = {
    {"exchange",
     {{.name = "P", .least = 0, .most = 100}},
     "exchange each pixel with a random one with probability P %",
     RunExchange},
    {"pinhole",
     {},
     "pinhole-camera look: soft, mostly grey, a quarter of the colour",
     RunPlain<PinholeCamera>},
    {"flip-v", {}, "turn the picture upside down", RunPlain<FlipVertical>},
    {"flip-h", {}, "mirror the picture left to right", RunPlain<FlipHorizontal>},
    {"exchange-xy", {}, "exchange the X and Y axes (W x H becomes H x W)", RunPlain<ExchangeXY>},
    {"trim",
     {{.name = "X"}, {.name = "Y"}, {.name = "W"}, {.name = "H"}},
     "cut out W x H pixels whose lower-left pixel is (X, Y), rows counted from the bottom",
     RunTrim},
    {"resample",
     {{.name = "W", .least = 0}, {.name = "H", .least = 0}},
     "resample to W x H by area-weighted averaging",
     RunResample},
    {"scale",
     {{.name = "PERCENT", .only = {50, 150, 200, 300}}},
     "fixed scaling in per cent (enlargements edge-aware)",
     RunScale},
};

} // namespace

std::span<const Step> GeometrySteps() {
    return kSteps;
}
