// Text to number with the Windows runtime's semantics on every platform: decimal
// only, leading blanks skipped, an optional sign, reading stops at the first
// character that does not fit, no digits gives 0. Only the first maxChars
// characters of the text are looked at.
#pragma once

#include <cstddef>
#include <cstdint>

// 32-bit long: saturates at -2147483648 and 2147483647 on overflow.
int32_t TextToLong(const char* text, size_t maxChars);

// Digits, optional decimal point and fraction, optional exponent; no hex, no
// inf or nan. Correctly rounded.
double TextToDouble(const char* text, size_t maxChars);

// Strict whole-text parsers for the batch tool: the entire text must be a
// decimal integer (or real) and fit; false otherwise.
bool ParseWholeInt(const char* text, int32_t& value);
bool ParseWholeReal(const char* text, double& value);
