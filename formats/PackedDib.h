// The packed 24-bit device-independent bitmap exchanged through the clipboard:
// a 40-byte BITMAPINFOHEADER followed by bottom-up rows of blue, green, red,
// each row padded to a multiple of 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Image.h"

// The whole packed bitmap of the image's colour plane; false when it cannot be
// allocated.
bool EncodePackedDib(const CImage& image, std::vector<uint8_t>& out);

// Replaces the image with the packed bitmap in data[0..size). Refused (false,
// image unchanged) below 40 bytes, at any depth but 24 bits, for a top-down or
// negative size, or when the rows would run past size.
bool DecodePackedDib(CImage& image, const uint8_t* data, size_t size);
