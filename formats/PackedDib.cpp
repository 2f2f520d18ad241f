#include "formats/PackedDib.h"

#include <exception>

#include "formats/Dib24.h"

bool EncodePackedDib(const CImage& image, std::vector<uint8_t>& out) {
    const uint64_t bytes = kInfoHeaderBytes + DibStride(image.Width()) * uint64_t(image.Height());
    if (bytes > SIZE_MAX) return false;
    try {
        out.assign(size_t(bytes), 0);
    } catch (const std::exception&) { // no memory: nothing escapes, the copy fails
        out.clear();
        return false;
    }
    PutInfoHeader(image, out.data());
    PackDibRows(image, out.data() + kInfoHeaderBytes);
    return true;
}

bool DecodePackedDib(CImage& image, const uint8_t* data, size_t size) {
    if (!data || size < kInfoHeaderBytes || GetLe16(data + 14) != 24) return false;
    // The rows start right after biSize bytes; a colour table is not skipped.
    const uint32_t rowsOffset = GetLe32(data);
    const int32_t width = GetLeSigned32(data + 4);
    const int32_t height = GetLeSigned32(data + 8); // negative (top-down) is refused
    if (!DibRowsFit(rowsOffset, width, height, size)) return false;
    if (!image.Create(width, height)) return false;
    UnpackDibRows(data + rowsOffset, image);
    return true;
}
