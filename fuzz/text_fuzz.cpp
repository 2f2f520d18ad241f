// The parameter-text readers on arbitrary bytes: TextToLong and TextToDouble
// never look past maxChars (the input is not terminated), and the batch tool's
// whole-text parsers agree with them whenever they accept a text.
#include <cmath>
#include <string>

#include "core/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const int32_t whole = TextToLong(text, size);
    const double real = TextToDouble(text, size);
    const std::string terminated(text, size);
    if (terminated.size() != std::char_traits<char>::length(terminated.c_str())) return 0;
    int32_t i = 0;
    if (ParseWholeInt(terminated.c_str(), i) && i != whole) __builtin_trap();
    double r = 0;
    if (ParseWholeReal(terminated.c_str(), r) && !(r == real || (std::isnan(r) && std::isnan(real))))
        __builtin_trap();
    return 0;
}
