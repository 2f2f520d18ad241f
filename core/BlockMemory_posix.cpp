#include "core/BlockMemory.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define IROMAKI_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define IROMAKI_SANITIZED 1
#endif

namespace {
#ifdef IROMAKI_SANITIZED
// Every block from the ordinary allocator, where the sanitizer guards it.
constexpr size_t kSystemBlock = SIZE_MAX;
#else
constexpr size_t kSystemBlock = size_t(4) << 20;
#endif
} // namespace

uint8_t* AllocateZeroedBlock(size_t bytes) {
    if (!AllocationMayProceed()) return nullptr;
    if (bytes < kSystemBlock) return static_cast<uint8_t*>(std::calloc(1, bytes));
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return nullptr;
    madvise(block, bytes, MADV_HUGEPAGE); // a hint; without it the block is still good
    return static_cast<uint8_t*>(block);
}

void FreeBlock(uint8_t* block, size_t bytes) {
    if (!block) return;
    if (bytes < kSystemBlock)
        std::free(block);
    else
        munmap(block, bytes);
}
