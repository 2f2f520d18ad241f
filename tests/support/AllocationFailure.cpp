#include "tests/support/AllocationFailure.h"

#include <new>

#include "core/BlockMemory.h"

// The program asks for its scratch memory with new (std::nothrow) and handles
// nullptr; in the test programs those requests count as allocations too.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (!AllocationMayProceed()) return nullptr;
    try {
        return ::operator new(n);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    if (!AllocationMayProceed()) return nullptr;
    try {
        return ::operator new[](n);
    } catch (...) {
        return nullptr;
    }
}

int64_t WalkAllocationFailures(const std::function<void()>& reset,
                               const std::function<bool()>& attempt,
                               const std::function<void(bool succeeded, int64_t n)>& check) {
    int64_t count = 0;
    for (int64_t n = 0; n <= count; ++n) {
        FailNthAllocation(0);
        reset();
        FailNthAllocation(n);
        const bool succeeded = attempt();
        if (n == 0) count = AllocationsCounted();
        FailNthAllocation(0);
        check(succeeded, n);
    }
    return count;
}
