#include "cli/Steps.h"

#include <cstdio>

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// "50, 150, 200 or 300"
std::string OneOf(const std::array<int32_t, 4>& values) {
    std::string text;
    size_t count = 0;
    for (int32_t v : values)
        count += v != 0;
    for (size_t k = 0; k < count; ++k)
        text += (k == 0 ? "" : k + 1 == count ? " or " : ", ") + std::to_string(values[k]);
    return text;
}

} // namespace

std::string Param::Accepted() const {
    if (only != std::array<int32_t, 4>{}) return OneOf(only);
    const bool low = least > -kUnbounded, high = most < kUnbounded;
    if (aboveLeast) return "above " + Number(least) + (high ? ", at most " + Number(most) : "");
    if (low && high) return Number(least) + " to " + Number(most);
    if (low) return "at least " + Number(least);
    if (high) return "at most " + Number(most);
    return "";
}

std::string Param::Refusal(const StepArg& value) const {
    if (Accepted().empty()) return "";
    const double v = kind == ParamKind::Integer ? double(value.i) : value.r;
    bool accepted = v >= least && v <= most && !(aboveLeast && v == least);
    if (only != std::array<int32_t, 4>{}) {
        accepted = false;
        for (int32_t choice : only)
            accepted = accepted || (choice != 0 && v == choice);
    }
    return accepted ? "" : Accepted();
}

std::string Step::Refusal(const StepArg* args) const {
    for (size_t k = 0; k < count_; ++k) {
        const std::string accepted = params_[k].Refusal(args[k]);
        if (!accepted.empty()) return std::string(params_[k].name) + " must be " + accepted;
    }
    return "";
}

bool Step::run(CImage& image, const StepArg* args, std::string& why) const {
    why = Refusal(args);
    return why.empty() && apply_(image, args, why);
}
