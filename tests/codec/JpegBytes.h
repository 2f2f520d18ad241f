// JPEG files made in memory by the codec's engine, for tests that alter them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Image.h"

// The image's colour plane as a transfer block (header and pixels).
std::vector<uint8_t> TransferBlockOf(const CImage& image);

// SmoothPicture(w, h) encoded at the quality.
std::vector<uint8_t> EncodedPicture(int32_t w, int32_t h, int quality);

// Offset of the first marker 0xFF code in the file, or 0 when there is none.
size_t FindMarker(const std::vector<uint8_t>& bytes, uint8_t code);

// The sampling factors of the components in the frame header, as "2x2 1x1 1x1".
std::string SamplingOf(const std::vector<uint8_t>& bytes);

// A grey progressive file of w x h pixels (w and h multiples of 8) whose first
// scan sets every block's DC to zero and whose acScans further scans each walk
// every block with end-of-band runs: a few bytes per scan whatever the size.
std::vector<uint8_t> ScanFlood(uint16_t w, uint16_t h, int acScans);
