// The program's pseudo-random generator, identical on every platform:
// state = state * 214013 + 2531011 (32-bit), result (state >> 16) & 0x7FFF.
#pragma once

#include <cstdint>

void SeedRandom(uint32_t seed);
int32_t NextRandom(); // 0 .. 32767
