#include "core/Image.h"

#include "core/BlockMemory.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace {

constexpr uint32_t kHeaderBytes = 44;

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

} // namespace

uint64_t CImage::BlockSize(int32_t w, int32_t h) {
    if (w < 0 || h < 0) return 0;
    uint64_t pixels = uint64_t(w) * uint64_t(h); // < 2^62, cannot overflow
    if (pixels > (UINT64_MAX - kHeaderBytes) / 8) return 0;
    uint64_t bytes = kHeaderBytes + 8 * pixels;
    if (bytes > SIZE_MAX) return 0;
    return bytes;
}

CImage::CImage() {
    // Without memory for the default 128 x 128 block the image stays 0 x 0 with
    // a bare header, which every operation treats as an image without pixels.
    if (!Create(128, 128)) {
        block_ = AllocateZeroedBlock(kHeaderBytes);
        if (block_) {
            blockBytes_ = kHeaderBytes;
            PointInto(block_, 0, 0);
        }
    }
}

CImage::CImage(const CImage& other) : CImage() { CopyFrom(&other); }

CImage& CImage::operator=(const CImage& other) {
    if (this != &other) CopyFrom(&other);
    return *this;
}

CImage::~CImage() { FreeBlock(block_, blockBytes_); }

void CImage::PointInto(uint8_t* block, int32_t w, int32_t h) {
    width_ = w;
    height_ = h;
    header_ = block;
    colour_ = reinterpret_cast<uint32_t*>(block + kHeaderBytes);
    aux_ = colour_ + size_t(w) * size_t(h);
    PutLe32(block + 0, 40);
    PutLe32(block + 4, uint32_t(w));
    PutLe32(block + 8, uint32_t(h));
    PutLe16(block + 12, 1);
    PutLe16(block + 14, 32);
    PutLe32(block + 16, 0);
}

bool CImage::Create(int32_t w, int32_t h) {
    if (w < 0 || h < 0) return false;
    uint64_t bytes = BlockSize(w, h);
    if (bytes == 0) return false;
    if (block_ && w == width_ && h == height_) {
        std::memset(block_, 0, size_t(bytes));
    } else {
        uint8_t* fresh = AllocateZeroedBlock(size_t(bytes));
        if (!fresh) return false;
        FreeBlock(block_, blockBytes_);
        block_ = fresh;
        blockBytes_ = size_t(bytes);
    }
    PointInto(block_, w, h);
    return true;
}

uint8_t CImage::GetLuminance(int32_t x, int32_t y) const {
    if (!Inside(x, y)) return 0;
    uint32_t v = colour_[Index(x, y)];
    double l = double((v >> 8) & 0xFF) * 0.587 + double((v >> 16) & 0xFF) * 0.299 +
               double(v & 0xFF) * 0.114;
    if (l < 0) return 0;
    if (l > 255) return 255;
    return uint8_t(int32_t(l));
}

void CImage::Swap(CImage& other) noexcept {
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(header_, other.header_);
    std::swap(colour_, other.colour_);
    std::swap(aux_, other.aux_);
    std::swap(block_, other.block_);
    std::swap(blockBytes_, other.blockBytes_);
}

bool CImage::CopyFrom(const CImage* other) {
    if (!other) return false;
    if (other == this) return true;
    // Both planes are overwritten whole, so a block of the right size is reused
    // without clearing it first (the undo copy is taken before every change).
    const bool sameSize = block_ && other->width_ == width_ && other->height_ == height_;
    if (!sameSize && !Create(other->width_, other->height_)) return false;
    size_t bytes = 4 * PixelCount();
    if (bytes) {
        std::memcpy(colour_, other->colour_, bytes);
        std::memcpy(aux_, other->aux_, bytes);
    }
    return true;
}

bool CImage::CopyColorsFrom(const CImage* other) {
    if (!other || other->width_ != width_ || other->height_ != height_) return false;
    if (other != this && PixelCount()) std::memcpy(colour_, other->colour_, 4 * PixelCount());
    return true;
}

bool CImage::ClearReservedBytes() {
    const size_t n = PixelCount();
    for (size_t i = 0; i < n; ++i) colour_[i] &= 0x00FFFFFFu;
    return true;
}

int32_t CImage::CountColors() const {
    // One bit per 24-bit colour: 2 MiB, one pass, no per-colour allocation.
    constexpr size_t kWords = (size_t(1) << 24) / 64;
    std::unique_ptr<uint64_t[]> seen(new (std::nothrow) uint64_t[kWords]());
    if (!seen) return -1; // the caller shows the count; -1 says it could not be taken
    const size_t n = PixelCount();
    int32_t count = 0;
    for (size_t i = 0; i < n; ++i) {
        uint32_t v = colour_[i] & 0x00FFFFFFu;
        uint64_t bit = uint64_t(1) << (v & 63);
        uint64_t& word = seen[v >> 6];
        count += (word & bit) == 0;
        word |= bit;
    }
    return count;
}
