#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#elif defined(__linux__)
#include <sys/mman.h>
#endif

#include "codec/JpegEngine.h"
#include "core/TransferBlock.h"

namespace {

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

#ifndef _WIN32
// Large blocks on huge pages where the system offers them: the decoder writes
// every byte of a block that is new memory, and on some machines faulting it
// in by 4 KiB pages costs more than the decoding.
void* AllocLarge(size_t bytes) {
#ifdef __linux__
    constexpr size_t kHugePage = size_t(2) << 20;
    if (bytes >= 4 * kHugePage) {
        const size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
        void* block = std::aligned_alloc(kHugePage, rounded);
        if (block) madvise(block, rounded, MADV_HUGEPAGE);
        return block;
    }
#endif
    return std::malloc(bytes);
}
#endif

} // namespace

uint8_t* AllocTransferBlock(uint32_t w, uint32_t h) {
    uint64_t bytes = kTransferHeaderBytes + 4 * uint64_t(w) * uint64_t(h);
    if (w > 0x7FFFFFFF || h > 0x7FFFFFFF || bytes > SIZE_MAX) return nullptr;
#ifdef _WIN32
    auto* block = static_cast<uint8_t*>(GlobalAlloc(GMEM_FIXED, SIZE_T(bytes)));
#else
    auto* block = static_cast<uint8_t*>(AllocLarge(size_t(bytes)));
#endif
    if (!block) return nullptr;
    PutLe32(block, w);
    PutLe32(block + 4, h);
    return block;
}

void FreeTransferBlock(void* block) {
    if (!block) return;
#ifdef _WIN32
    GlobalFree(block);
#else
    std::free(block);
#endif
}
