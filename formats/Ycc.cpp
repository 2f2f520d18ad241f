// The program's own YCrCb file: a 16-byte header (signature 59 43 00 08, data
// offset, width, height) and Y, Cr, Cb bytes per pixel from the top row down.
// Files are read and written a few rows at a time; the same header check and
// sample order serve the in-memory forms.
#include <algorithm>

#include "formats/FileFailure.h"
#include "formats/FileRows.h"
#include "formats/ImageFiles.h"
#include "formats/LittleEndian.h"

namespace {

constexpr size_t kYccHeaderBytes = 16;
constexpr uint32_t kYccSignature = 0x08004359;

// Where a valid file's samples are.
struct YccSamples {
    uint32_t offset = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Checks the header of a file of size bytes; head holds its first
// min(size, kYccHeaderBytes) bytes.
bool CheckYccHeader(const uint8_t* head, uint64_t size, YccSamples& found) {
    if (size < kYccHeaderBytes || GetLe32(head) != kYccSignature) return FailWith("not a YCC file");
    found.offset = GetLe32(head + 4);
    found.width = GetLeSigned32(head + 8);
    found.height = GetLeSigned32(head + 12);
    if (found.width < 0 || found.height < 0) return FailWith("negative width or height");
    if (!PlausibleImageSize(found.width, found.height)) return FailWith("image too large");
    // Both sides are at most 2^24, so this cannot overflow.
    const uint64_t end = found.offset + 3 * uint64_t(found.width) * uint64_t(found.height);
    return end <= size || FailWith("truncated");
}

void PutYccHeader(const CImage& image, uint8_t* p) {
    PutLe32(p, kYccSignature);
    PutLe32(p + 4, kYccHeaderBytes);
    PutLe32(p + 8, uint32_t(image.Width()));
    PutLe32(p + 12, uint32_t(image.Height()));
}

// File rows first .. first + count - 1 (row 0 the top row) at in into the
// auxiliary plane.
void UnpackYccRows(const uint8_t* in, CImage& image, int32_t first, int32_t count) {
    const int32_t width = image.Width(), height = image.Height();
    for (int32_t k = first; width > 0 && k < first + count; ++k) {
        uint32_t* out = image.AuxBits() + size_t(height - 1 - k) * size_t(width);
        for (int32_t x = 0; x < width; ++x, in += 3)
            out[x] = (uint32_t(in[0]) << 16) | (uint32_t(in[1]) << 8) | uint32_t(in[2]);
    }
}

// The reverse, from the auxiliary plane to out.
void PackYccRows(const CImage& image, uint8_t* out, int32_t first, int32_t count) {
    const int32_t width = image.Width(), height = image.Height();
    for (int32_t k = first; width > 0 && k < first + count; ++k) {
        const uint32_t* in = image.AuxBits() + size_t(height - 1 - k) * size_t(width);
        for (int32_t x = 0; x < width; ++x, out += 3) {
            out[0] = uint8_t(in[x] >> 16);
            out[1] = uint8_t(in[x] >> 8);
            out[2] = uint8_t(in[x]);
        }
    }
}

} // namespace

bool DecodeYcc(CImage& image, const uint8_t* data, size_t size) {
    YccSamples found;
    if (!data) return FailWith("not a YCC file");
    if (!CheckYccHeader(data, size, found)) return false;
    if (!image.Create(found.width, found.height)) return FailWith("out of memory");
    UnpackYccRows(data + found.offset, image, 0, found.height);
    image.YccToRgb();
    return true;
}

bool EncodeYcc(CImage& image, ByteBlock& out) {
    const uint64_t size = kYccHeaderBytes + 3 * uint64_t(image.Width()) * uint64_t(image.Height());
    if (size > SIZE_MAX || !out.Allocate(size_t(size))) return FailWith("out of memory");
    PutYccHeader(image, out.data.get());
    image.RgbToYcc();
    PackYccRows(image, out.data.get() + kYccHeaderBytes, 0, image.Height());
    return true;
}

bool ReadYcc(CImage& image, const char* fileName) {
    InputFile file;
    uint8_t head[kYccHeaderBytes];
    YccSamples found;
    if (!file.Open(fileName)) return false;
    if (!file.ReadAt(0, head, size_t(std::min<uint64_t>(file.Size(), kYccHeaderBytes))))
        return FailWith("read error");
    if (!CheckYccHeader(head, file.Size(), found)) return false;
    // A picture of its own replaces the image once every row has been read.
    CImage read;
    if (!read.Create(found.width, found.height)) return FailWith("out of memory");
    auto unpack = [&](const uint8_t* piece, int32_t first, int32_t count) {
        UnpackYccRows(piece, read, first, count);
    };
    if (!ReadRowsInPieces(file, found.offset, 3 * size_t(found.width), found.height, unpack))
        return false;
    read.YccToRgb();
    image.Swap(read);
    return true;
}

bool WriteYcc(CImage& image, const char* fileName) {
    uint8_t header[kYccHeaderBytes];
    PutYccHeader(image, header);
    image.RgbToYcc();
    auto pack = [&](uint8_t* piece, int32_t first, int32_t count) {
        PackYccRows(image, piece, first, count);
    };
    return WriteRowsInPieces(fileName, header, kYccHeaderBytes, 3 * size_t(image.Width()),
                             image.Height(), pack);
}
