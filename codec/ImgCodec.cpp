// The library's entry points: whole-file reads and writes around the engine.
#include "codec/ImgCodec.h"

#include <cstdio>
#include <cstdlib>

#include "codec/JpegEngine.h"
#include "codec/JpegErrors.h"

namespace {

// The length of an open file, leaving it at its start; 0 when unknown.
uint64_t FileLength(std::FILE* file) {
#ifdef _WIN32
    const bool atEnd = _fseeki64(file, 0, SEEK_END) == 0;
    const long long length = atEnd ? _ftelli64(file) : -1;
    const bool rewound = _fseeki64(file, 0, SEEK_SET) == 0;
#else
    const bool atEnd = fseeko(file, 0, SEEK_END) == 0;
    const long long length = atEnd ? ftello(file) : -1;
    const bool rewound = fseeko(file, 0, SEEK_SET) == 0;
#endif
    return rewound && length > 0 ? uint64_t(length) : 0;
}

bool WriteWholeFile(const char* fileName, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(fileName, "wb");
    if (!file) return false;
    bool written = std::fwrite(data, 1, size, file) == size;
    bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::remove(fileName);
    return false;
}

} // namespace

extern "C" void* load(const char* fileName) {
    SetCodecFailure("");
    if (!fileName) return nullptr;
    // Read through libjpeg's buffer: a whole-file copy would only add memory.
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        SetCodecFailure("cannot open the file");
        return nullptr;
    }
    const uint64_t length = FileLength(file);
    uint8_t* block = DecodeJpegFile(file, length);
    std::fclose(file);
    if (!block && length < 4) SetCodecFailure("not a JPEG file");
    return block;
}

extern "C" int save(const char* fileName, const void* block, int quality) {
    SetCodecFailure("");
    if (!fileName) return 0;
    EncodedJpeg jpeg;
    if (!EncodeJpeg(static_cast<const uint8_t*>(block), quality, jpeg)) return 0;
    bool written = WriteWholeFile(fileName, jpeg.data, jpeg.size);
    std::free(jpeg.data);
    if (!written) SetCodecFailure("write error");
    return written ? 1 : 0;
}

extern "C" const char* reason(void) {
    return CodecFailure();
}

extern "C" void release(void* block) {
    FreeTransferBlock(block);
}
