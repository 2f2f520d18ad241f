#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "formats/JpegCodec.h"

namespace {

constexpr const char* kLibraryName = "libimgcodec.so";

// The program's own folder, so a build tree's bin/ finds its library.
std::string BesideProgram(const char* name) {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    path[n] = '\0';
    char* slash = std::strrchr(path, '/');
    if (!slash) return {};
    slash[1] = '\0';
    return std::string(path) + name;
}

} // namespace

namespace codeclib {

void* Open(const char* libraryPath) {
    if (libraryPath) return dlopen(libraryPath, RTLD_NOW | RTLD_LOCAL);
    std::string beside = BesideProgram(kLibraryName);
    void* module = beside.empty() ? nullptr : dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    return module ? module : dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
}

void* Find(void* module, const char* name) {
    return dlsym(module, name);
}

void FreeBlock(void* block, CJpegCodec::ReleaseEntry release) {
    if (release)
        release(block);
    else
        std::free(block);
}

void Close(void* module) {
    dlclose(module);
}

} // namespace codeclib
