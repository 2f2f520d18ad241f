#include "core/BlockMemory.h"

#include <atomic>

namespace {
std::atomic<int64_t> g_counted{0};
std::atomic<int64_t> g_failAt{0};
} // namespace

bool AllocationMayProceed() {
    const int64_t n = g_counted.fetch_add(1, std::memory_order_relaxed) + 1;
    return n != g_failAt.load(std::memory_order_relaxed);
}

void FailNthAllocation(int64_t n) {
    g_failAt.store(n, std::memory_order_relaxed);
    g_counted.store(0, std::memory_order_relaxed);
}

int64_t AllocationsCounted() {
    return g_counted.load(std::memory_order_relaxed);
}
