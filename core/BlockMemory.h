// Zero-initialised memory for image blocks. Large blocks come straight from the
// system, on huge pages where it offers them: a 4000 x 3000 image is a 96 MB
// block, and taking it in 4 KB pages costs more than most operations on it.
#pragma once

#include <cstddef>
#include <cstdint>

uint8_t* AllocateZeroedBlock(size_t bytes);
void FreeBlock(uint8_t* block, size_t bytes); // bytes as given to AllocateZeroedBlock

// Failure injection for the tests: every allocator of the program's own code
// asks AllocationMayProceed first, which counts the allocation and says false
// for the n-th one after FailNthAllocation(n) (n = 1: the next). n = 0 turns
// failures off (the state at start); counting goes on either way.
bool AllocationMayProceed();
void FailNthAllocation(int64_t n);
int64_t AllocationsCounted(); // since the last FailNthAllocation
