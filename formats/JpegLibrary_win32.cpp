#include <windows.h>

#include "formats/JpegCodec.h"

namespace codeclib {

// LoadLibraryA looks in the program's folder first.
void* Open(const char* libraryPath) {
    return LoadLibraryA(libraryPath ? libraryPath : "imgcodec");
}

void* Find(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

// The library allocates its blocks as fixed global memory.
void FreeBlock(void* block, CJpegCodec::ReleaseEntry) {
    GlobalFree(block);
}

void Close(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}

} // namespace codeclib
