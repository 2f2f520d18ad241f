#include <cstdlib>
#include <cstring>

#include "core/TransferBlock.h"
#include "formats/FileFailure.h"
#include "formats/FileIo.h"
#include "formats/ImageFiles.h"
#include "formats/JpegCodec.h"
#include "formats/LittleEndian.h"

namespace {

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
class TransferBlock {
  public:
    explicit TransferBlock(const CImage& image) {
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
    ~TransferBlock() {
        if (owned_)
            std::free(owned_);
        else if (block_)
            std::memcpy(block_, saved_, kTransferHeaderBytes);
    }
    TransferBlock(const TransferBlock&) = delete;
    TransferBlock& operator=(const TransferBlock&) = delete;

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
    reason_ = reinterpret_cast<ReasonEntry>(codeclib::Find(module_, "reason"));
}

CJpegCodec::~CJpegCodec() {
    if (module_) codeclib::Close(module_);
}

bool CJpegCodec::Read(CImage& image, const char* fileName) const {
    if (!loaded_ || !load_) return FailWith("the JPEG codec library is missing");
    if (!fileName) return false;
    auto* block = static_cast<uint8_t*>(load_(fileName));
    if (!block) return FailWith(LibraryReason("cannot decode the file"));
    const auto w = int32_t(GetLe32(block)), h = int32_t(GetLe32(block + 4));
    const bool created = image.Create(w, h);
    if (created) CopyPixelsIn(image, block + kTransferHeaderBytes);
    codeclib::FreeBlock(block, release_);
    return created || FailWith("out of memory");
}

bool CJpegCodec::Write(const CImage& image, const char* fileName, int quality) const {
    if (!loaded_ || !save_) return FailWith("the JPEG codec library is missing");
    if (!fileName) return false;
    const TransferBlock block(image);
    if (!block.Get()) return FailWith("out of memory");
    // The library writes a temporary file beside the target, which replaces
    // the target only when the whole file is written.
    SafeSave safe(fileName);
    if (!safe.TempPath()) return FailWith("cannot create the file");
    if (save_(safe.TempPath(), block.Get(), quality) == 0)
        return FailWith(LibraryReason("cannot encode the image"));
    return safe.Commit() || FailWith("cannot replace the file");
}

// The library's reason for its last failure on this thread, or fallback when
// it gives none. The text stays valid: it is one of the library's constants.
const char* CJpegCodec::LibraryReason(const char* fallback) const {
    const char* text = reason_ ? reason_() : nullptr;
    return text && *text ? text : fallback;
}

bool ReadJpeg(CImage& image, const char* fileName) {
    return g_jpegCodec.Read(image, fileName);
}

bool WriteJpeg(const CImage& image, const char* fileName, int quality) {
    return g_jpegCodec.Write(image, fileName, quality);
}
