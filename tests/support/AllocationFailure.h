// Memory failures injected into the code under test: the core's allocators
// (core/BlockMemory.h) and, in the test programs, every `new (std::nothrow)`.
#pragma once

#include <cstdint>
#include <functional>

// Runs attempt() once with every allocation granted, counting them, then once
// with each of them failing in turn. reset() prepares each run and check(
// succeeded, n) follows it, both uncounted; n is the allocation that failed,
// 0 for the first run. Returns the number of allocations of the first run.
int64_t WalkAllocationFailures(const std::function<void()>& reset,
                               const std::function<bool()>& attempt,
                               const std::function<void(bool succeeded, int64_t n)>& check);
