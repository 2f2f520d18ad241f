// The codec's work on memory: decoding a JPEG held in memory into a transfer
// block and encoding a transfer block into a JPEG held in memory. The entry
// points of ImgCodec.h add the file handling; the fuzz target calls these
// directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Limits on what a decoded picture may be: at most kMaxPixels pixels in all,
// and above kPixelsWithoutRatio pixels no more than kMaxPixelsPerByte pixels
// for every byte of the file, so that a few bytes declaring 65500 x 65500
// cannot ask for gigabytes.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;
constexpr uint64_t kPixelsWithoutRatio = uint64_t(1) << 24;
constexpr uint64_t kMaxPixelsPerByte = 1024;
// Progressive files may hold any number of scans; real ones have a dozen.
constexpr int kMaxScans = 1000;
// Each scan walks every block of its components, however few bits it holds, so
// a small file of many scans over a large picture could buy minutes of work.
// The blocks walked by all scans together may be at most this many times the
// picture's blocks: common encoders walk each block 4 to 6 times, and at this
// bound the work stays within that of decoding a plain file of the same size.
constexpr uint64_t kMaxPassesPerBlock = 16;

// Whether a picture of w x h pixels may be decoded from a file of fileBytes.
bool PlausibleJpegSize(uint64_t w, uint64_t h, uint64_t fileBytes);

// A transfer block (see ImgCodec.h) for w x h pixels, or null.
uint8_t* AllocTransferBlock(uint32_t w, uint32_t h);
void FreeTransferBlock(void* block);

// The decoded transfer block, or null: from memory, or from an open file of
// size bytes, read from its current position. A lower maxPixels refuses larger
// pictures after reading the header, before any decoding (the fuzz target keeps
// to small pictures this way).
uint8_t* DecodeJpeg(const uint8_t* data, size_t size, uint64_t maxPixels = kMaxPixels);
uint8_t* DecodeJpegFile(std::FILE* file, uint64_t size);

// An encoded JPEG in a malloc'd buffer that the caller frees.
struct EncodedJpeg {
    uint8_t* data = nullptr;
    size_t size = 0;
};
bool EncodeJpeg(const uint8_t* block, int quality, EncodedJpeg& out);
