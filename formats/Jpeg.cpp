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
    std::memcpy(colour, pixels, 4 * n); // both little-endian words 0x??RRGGBB
    for (size_t i = 0; i < n; ++i)
        colour[i] &= 0x00FFFFFFu;
}

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
    const uint64_t pixelBytes = 4 * uint64_t(image.PixelCount());
    if (pixelBytes > SIZE_MAX - kTransferHeaderBytes) return false;
    auto* block = static_cast<uint8_t*>(std::malloc(kTransferHeaderBytes + size_t(pixelBytes)));
    if (!block) return false;
    PutLe32(block, uint32_t(image.Width()));
    PutLe32(block + 4, uint32_t(image.Height()));
    if (pixelBytes) std::memcpy(block + kTransferHeaderBytes, image.Bits(), size_t(pixelBytes));
    // The library writes a temporary file beside the target, which replaces
    // the target only when the whole file is written.
    CSafeSave safe(fileName);
    bool saved = safe.TempPath() && save_(safe.TempPath(), block, quality) != 0;
    std::free(block);
    return saved && safe.Commit();
}

bool ReadJpeg(CImage& image, const char* fileName) {
    return g_jpegCodec.Read(image, fileName);
}

bool WriteJpeg(const CImage& image, const char* fileName, int quality) {
    return g_jpegCodec.Write(image, fileName, quality);
}
