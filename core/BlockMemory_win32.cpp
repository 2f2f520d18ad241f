#include "core/BlockMemory.h"

#include <cstdlib>

uint8_t* AllocateZeroedBlock(size_t bytes) {
    return AllocationMayProceed() ? static_cast<uint8_t*>(std::calloc(1, bytes)) : nullptr;
}

void FreeBlock(uint8_t* block, size_t) { std::free(block); }
