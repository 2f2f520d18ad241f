#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal real at text[0..n): digits, optional point and
// fraction, optional exponent (only when it has digits). 0 when no digits.
size_t RealPrefix(const char* text, size_t n) {
    size_t i = 0, digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

size_t BoundedLength(const char* text, size_t maxChars) {
    size_t n = 0;
    while (n < maxChars && text[n]) ++n;
    return n;
}

} // namespace

int32_t TextToLong(const char* text, size_t maxChars) {
    if (!text) return 0;
    const size_t n = BoundedLength(text, maxChars);
    size_t i = 0;
    while (i < n && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(1) << 31) value = int64_t(1) << 31; // saturated from here on
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int32_t(value);
}

double TextToDouble(const char* text, size_t maxChars) {
    if (!text) return 0.0;
    const size_t n = BoundedLength(text, maxChars);
    size_t i = 0;
    while (i < n && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t len = RealPrefix(text + i, n - i);
    if (len == 0) return 0.0;
    double value = 0.0;
    auto [end, error] = std::from_chars(text + i, text + i + len, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Overflow gives infinity-like HUGE_VAL in the runtime; underflow gives 0.
        // Decide by the exponent's sign as the runtime's conversion would.
        const char* e = static_cast<const char*>(std::memchr(text + i, 'e', len));
        if (!e) e = static_cast<const char*>(std::memchr(text + i, 'E', len));
        const bool tiny = e && e + 1 < text + i + len && e[1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    (void)end;
    return negative ? -value : value;
}

bool ParseWholeInt(const char* text, int32_t& value) {
    if (!text || !*text) return false;
    const char* p = text;
    if (*p == '+') ++p;
    auto [end, error] = std::from_chars(p, p + std::strlen(p), value);
    return error == std::errc() && *end == '\0' && (p == text || IsDigit(*p));
}

bool ParseWholeReal(const char* text, double& value) {
    if (!text || !*text) return false;
    size_t i = 0;
    if (text[0] == '+' || text[0] == '-') ++i;
    const size_t n = std::strlen(text);
    if (RealPrefix(text + i, n - i) != n - i) return false;
    value = TextToDouble(text, n);
    return value == value && value - value == 0.0; // finite
}
