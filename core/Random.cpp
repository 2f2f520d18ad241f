#include "core/Random.h"

namespace {
// One sequence per thread: the batch tool runs files on several at once, each
// seeded as the one-file form would be.
thread_local uint32_t g_state = 1;
} // namespace

void SeedRandom(uint32_t seed) { g_state = seed; }

int32_t NextRandom() {
    g_state = g_state * 214013u + 2531011u;
    return int32_t((g_state >> 16) & 0x7FFF);
}
