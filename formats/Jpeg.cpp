#include <cstdlib>
#include <cstring>

#include "formats/FileIo.h"
#include "formats/ImageFiles.h"
#include "formats/JpegCodec.h"
#include "formats/LittleEndian.h"

namespace {

constexpr size_t kTransferHeaderBytes = 8;

// The pixel words of the block (blue, green, red, ignored) into the colour
// plane; bits 24-31 stay zero.
void CopyPixelsIn(CImage& image, const uint8_t* pixels) {
    uint32_t* colour = image.Bits();
    const size_t n = image.PixelCount();
    for (size_t i = 0; i < n; ++i) {
        uint32_t word; // little-endian 0x??RRGGBB, as in the colour plane
        std::memcpy(&word, pixels + 4 * i, 4);
        colour[i] = word & 0x00FFFFFFu;
    }
}

// The colour plane as a transfer block without copying it: the eight bytes
// in front of the plane (the header's last field and the four zero bytes)
// lend their place to the width and height while the library reads, and get
// their contents back afterwards. A plane that does not sit 44 bytes into its
// block is copied into a block of its own instead.
class CTransferBlock {
  public:
    explicit CTransferBlock(const CImage& image) {
        auto* plane = reinterpret_cast<uint8_t*>(image.Bits());
        if (plane && static_cast<uint8_t*>(image.Header()) + 44 == plane) {
            block_ = plane - kTransferHeaderBytes;
            std::memcpy(saved_, block_, kTransferHeaderBytes);
        } else {
            const uint64_t bytes = kTransferHeaderBytes + 4 * uint64_t(image.PixelCount());
            if (bytes > SIZE_MAX) return;
            owned_ = static_cast<uint8_t*>(std::malloc(size_t(bytes)));
            if (!owned_) return;
            if (image.PixelCount())
                std::memcpy(owned_ + kTransferHeaderBytes, plane,
                            size_t(bytes) - kTransferHeaderBytes);
            block_ = owned_;
        }
        PutLe32(block_, uint32_t(image.Width()));
        PutLe32(block_ + 4, uint32_t(image.Height()));
    }
    ~CTransferBlock() {
        if (owned_)
            std::free(owned_);
        else if (block_)
            std::memcpy(block_, saved_, kTransferHeaderBytes);
    }
    CTransferBlock(const CTransferBlock&) = delete;
    CTransferBlock& operator=(const CTransferBlock&) = delete;

    const uint8_t* Get() const { return block_; }

  private:
    uint8_t* block_ = nullptr;
    uint8_t* owned_ = nullptr;
    uint8_t saved_[kTransferHeaderBytes] = {};
};

CJpegCodec g_jpegCodec;

} // namespace

CJpegCodec::CJpegCodec(const char* libraryPath) {
    module_ = codeclib::Open(libraryPath);
    if (!module_) return;
    loaded_ = true;
    load_ = reinterpret_cast<LoadEntry>(codeclib::Find(module_, "load"));
    save_ = reinterpret_cast<SaveEntry>(codeclib::Find(module_, "save"));
    release_ = reinterpret_cast<ReleaseEntry>(codeclib::Find(module_, "release"));
}

CJpegCodec::~CJpegCodec() {
    if (module_) codeclib::Close(module_);
}

bool CJpegCodec::Read(CImage& image, const char* fileName) const {
    if (!loaded_ || !load_ || !fileName) return false;
    auto* block = static_cast<uint8_t*>(load_(fileName));
    if (!block) return false;
    const auto w = int32_t(GetLe32(block)), h = int32_t(GetLe32(block + 4));
    const bool created = image.Create(w, h);
    if (created) CopyPixelsIn(image, block + kTransferHeaderBytes);
    codeclib::FreeBlock(block, release_);
    return created;
}

bool CJpegCodec::Write(const CImage& image, const char* fileName, int quality) const {
    if (!loaded_ || !save_ || !fileName) return false;
    const CTransferBlock block(image);
    if (!block.Get()) return false;
    // The library writes a temporary file beside the target, which replaces
    // the target only when the whole file is written.
    CSafeSave safe(fileName);
    const bool saved = safe.TempPath() && save_(safe.TempPath(), block.Get(), quality) != 0;
    return saved && safe.Commit();
}

bool ReadJpeg(CImage& image, const char* fileName) {
    return g_jpegCodec.Read(image, fileName);
}

bool WriteJpeg(const CImage& image, const char* fileName, int quality) {
    return g_jpegCodec.Write(image, fileName, quality);
}
