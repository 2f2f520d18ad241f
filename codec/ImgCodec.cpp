// The library's entry points: whole-file reads and writes around the engine.
#include "codec/ImgCodec.h"

#include <cstdio>
#include <cstdlib>

#include "codec/JpegEngine.h"

namespace {

// The whole file in one malloc'd block, or null.
uint8_t* ReadWholeFile(const char* fileName, size_t& size) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) return nullptr;
    uint8_t* data = nullptr;
#ifdef _WIN32
    bool sized = _fseeki64(file, 0, SEEK_END) == 0;
    long long length = sized ? _ftelli64(file) : -1;
    sized = sized && _fseeki64(file, 0, SEEK_SET) == 0;
#else
    bool sized = fseeko(file, 0, SEEK_END) == 0;
    long long length = sized ? ftello(file) : -1;
    sized = sized && fseeko(file, 0, SEEK_SET) == 0;
#endif
    if (sized && length > 0 && static_cast<unsigned long long>(length) <= SIZE_MAX) {
        size = size_t(length);
        data = static_cast<uint8_t*>(std::malloc(size));
        if (data && std::fread(data, 1, size, file) != size) {
            std::free(data);
            data = nullptr;
        }
    }
    std::fclose(file);
    return data;
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
    if (!fileName) return nullptr;
    size_t size = 0;
    uint8_t* data = ReadWholeFile(fileName, size);
    if (!data) return nullptr;
    uint8_t* block = DecodeJpeg(data, size);
    std::free(data);
    return block;
}

extern "C" int save(const char* fileName, const void* block, int quality) {
    if (!fileName) return 0;
    EncodedJpeg jpeg;
    if (!EncodeJpeg(static_cast<const uint8_t*>(block), quality, jpeg)) return 0;
    bool written = WriteWholeFile(fileName, jpeg.data, jpeg.size);
    std::free(jpeg.data);
    return written ? 1 : 0;
}

extern "C" void release(void* block) {
    FreeTransferBlock(block);
}
