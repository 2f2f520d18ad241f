// The batch tool's steps: NAME or NAME=ARG,ARG,... applied in order to the image.
// Each operation family lists its steps in a table of its own.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/Image.h"

struct StepArg {
    int32_t i = 0; // the value, when the argument is an integer
    double r = 0;  // the value, when the argument is real
};

struct Step {
    const char* name;
    const char* argNames; // for --help, e.g. "R,G,B"; "" when the step takes none
    const char* kinds;    // one letter per argument: 'i' integer, 'r' real
    const char* help;     // one line for --help
    // Applies the step; false with a reason when the operation refuses its input.
    bool (*run)(CImage& image, const StepArg* args, std::string& why);
};

std::span<const Step> ColourSteps();
std::span<const Step> NeighbourhoodSteps();
std::span<const Step> GeometrySteps();
