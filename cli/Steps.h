// The batch tool's steps: NAME or NAME=ARG,ARG,... applied in order to the image.
// Each operation family lists its steps in a table of its own. A step declares
// each parameter once (name, kind, accepted values); the parsing, the range
// refusals and --help all come from that declaration.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>

#include "core/Image.h"

struct StepArg {
    int32_t i = 0; // the value, when the argument is an integer
    double r = 0;  // the value, when the argument is real
};

enum class ParamKind : char { Integer = 'i', Real = 'r' };

struct Param {
    static constexpr double kUnbounded = std::numeric_limits<double>::infinity();

    const char* name; // as --help shows it, e.g. "RANGE"
    ParamKind kind = ParamKind::Integer;
    double least = -kUnbounded; // the accepted values: least..most
    double most = kUnbounded;
    bool aboveLeast = false;       // least itself is refused (a gamma above 0)
    std::array<int32_t, 4> only{}; // when not all 0: the only accepted values

    // "" when value is accepted, else what is: "1 to 6", "above 0".
    std::string Refusal(const StepArg& value) const;
    // What is accepted, "" when anything is.
    std::string Accepted() const;
};

class Step {
  public:
    static constexpr size_t kMaxParams = 12;
    using Apply = bool (*)(CImage& image, const StepArg* args, std::string& why);

    consteval Step(const char* stepName, std::initializer_list<Param> params, const char* helpText,
                   Apply apply)
        : name(stepName), help(helpText), apply_(apply) {
        if (params.size() > kMaxParams) throw "too many parameters";
        size_t used = 0;
        for (const Param& param : params) {
            if (count_) argNames[used++] = ',';
            for (const char* c = param.name; *c; ++c)
                argNames[used++] = *c; // a name too long for the array fails to compile
            kinds[count_] = char(param.kind);
            params_[count_++] = param;
        }
    }

    const char* name;
    const char* help;                // one line for --help, without the accepted values
    char argNames[64] = {};          // "R,G,B"; "" when the step takes none
    char kinds[kMaxParams + 1] = {}; // one letter per parameter: 'i' integer, 'r' real

    std::span<const Param> Params() const { return {params_.data(), count_}; }

    // "" when every argument lies within its parameter's accepted values, else
    // the reason, e.g. "RANGE must be 1 to 6".
    std::string Refusal(const StepArg* args) const;

    // Applies the step after checking the arguments; false with a reason when
    // an argument is refused or the operation refuses its input.
    bool run(CImage& image, const StepArg* args, std::string& why) const;

  private:
    std::array<Param, kMaxParams> params_{};
    size_t count_ = 0;
    Apply apply_;
};

// The apply function of a step without parameters whose operation always succeeds.
template <void (*operation)(CImage&)> bool RunPlain(CImage& image, const StepArg*, std::string&) {
    operation(image);
    return true;
}

// The same for an operation that fails only when it finds no memory.
template <bool (*operation)(CImage&)> bool RunPlain(CImage& image, const StepArg*, std::string& why) {
    if (operation(image)) return true;
    why = "not enough memory";
    return false;
}

std::span<const Step> ColourSteps();
std::span<const Step> NeighbourhoodSteps();
std::span<const Step> GeometrySteps();
