// The pixel transfer block, the same in both directions between the program
// and the codec library: int32 width, int32 height (little-endian), then
// width x height pixels of 4 bytes (blue, green, red, one ignored byte), rows
// without padding, row 0 the bottom row, as in the colour plane of CImage.
// It lives here, below both the file layer and the codec library.
#pragma once

#include <cstdint>

constexpr uint32_t kTransferHeaderBytes = 8;
