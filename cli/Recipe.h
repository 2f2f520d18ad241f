// What the batch tool does to every file: the steps with their arguments, the
// seed of the random steps and the JPEG quality. The one-file form and the
// batch form both run a file through ProcessFile, so their results are the
// same bit for bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/Steps.h"

struct ParsedStep {
    const Step* step;
    std::vector<StepArg> args;
};

struct Recipe {
    int quality = 90;
    uint32_t seed = 0;
    std::vector<ParsedStep> steps;
};

// Reads input, seeds the random generator of this thread, runs the steps and
// saves to output. "" on success, else a message naming the file and the
// reason ("cannot read 'a.bmp': truncated").
std::string ProcessFile(const Recipe& recipe, const std::string& input, const std::string& output);
