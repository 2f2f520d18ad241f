// Small helpers shared by the neighbourhood operations' raw-plane loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace neighbourhood {

inline uint32_t Red(uint32_t word) {
    return (word >> 16) & 0xFF;
}
inline uint32_t Green(uint32_t word) {
    return (word >> 8) & 0xFF;
}
inline uint32_t Blue(uint32_t word) {
    return word & 0xFF;
}
inline uint32_t Pack(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}
// Channel 0 is red, 1 green, 2 blue.
inline uint32_t ChannelOf(uint32_t word, int channel) {
    return (word >> (16 - 8 * channel)) & 0xFF;
}

// Scratch memory that may be refused: null instead of an exception.
template <typename T> std::unique_ptr<T[]> NewScratch(size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count ? count : 1]());
}

} // namespace neighbourhood
