// The batch tool's geometric steps.
#include <memory>

#include "cli/Steps.h"
#include "ops/filters/FilterOps.h"

namespace {

bool RunExchange(CImage& image, const StepArg* args, std::string& why) {
    if (args[0].i < 0 || args[0].i > 100) {
        why = "the exchange probability must be 0 to 100";
        return false;
    }
    ExchangePixels(image, args[0].i);
    return true;
}

bool RunPinhole(CImage& image, const StepArg*, std::string&) {
    PinholeCamera(image);
    return true;
}

bool RunFlipVertical(CImage& image, const StepArg*, std::string&) {
    FlipVertical(image);
    return true;
}

bool RunFlipHorizontal(CImage& image, const StepArg*, std::string&) {
    FlipHorizontal(image);
    return true;
}

bool RunExchangeXY(CImage& image, const StepArg*, std::string&) {
    ExchangeXY(image);
    return true;
}

bool RunTrim(CImage& image, const StepArg* args, std::string& why) {
    if (image.Trim(args[0].i, args[1].i, args[2].i, args[3].i)) return true;
    why = "the lower-left pixel must lie inside the image but not in its last column or row, "
          "and the size must be at least 1x1 (or memory ran out)";
    return false;
}

bool RunResample(CImage& image, const StepArg* args, std::string& why) {
    if (args[0].i < 0 || args[1].i < 0) {
        why = "the width and height must not be negative";
        return false;
    }
    if (image.Resample(args[0].i, args[1].i)) return true;
    why = "not enough memory for an image of that size";
    return false;
}

bool RunScale(CImage& image, const StepArg* args, std::string& why) {
    const int32_t percent = args[0].i;
    if (percent != 50 && percent != 150 && percent != 200 && percent != 300) {
        why = "the percentage must be 50, 150, 200 or 300";
        return false;
    }
    std::unique_ptr<CImage> scaled = ScaleImageByPercent(image, percent);
    if (!scaled) {
        why = "the image is too small (at least 5x5 for 50 and 200, 3x3 for 150 and 300) "
              "or memory ran out";
        return false;
    }
    image.Swap(*scaled);
    return true;
}

const Step kSteps[] = {
    {"exchange", "P", "i", "exchange each pixel with a random one with probability P % (0-100)",
     RunExchange},
    {"pinhole", "", "", "pinhole-camera look: soft, mostly grey, a quarter of the colour",
     RunPinhole},
    {"flip-v", "", "", "turn the picture upside down", RunFlipVertical},
    {"flip-h", "", "", "mirror the picture left to right", RunFlipHorizontal},
    {"exchange-xy", "", "", "exchange the X and Y axes (W x H becomes H x W)", RunExchangeXY},
    {"trim", "X,Y,W,H", "iiii",
     "cut out W x H pixels whose lower-left pixel is (X, Y), rows counted from the bottom",
     RunTrim},
    {"resample", "W,H", "ii", "resample to W x H by area-weighted averaging", RunResample},
    {"scale", "PERCENT", "i", "fixed scaling to 50, 150, 200 or 300 % (enlargements edge-aware)",
     RunScale},
};

} // namespace

std::span<const Step> GeometrySteps() {
    return kSteps;
}
