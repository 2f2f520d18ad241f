// CJpegCodec: the connection to the imgcodec library, which decodes and
// encodes JPEG files through its entry points `load` and `save`. One static
// instance loads the library before main runs and releases it at exit;
// without the library only JPEG reading and writing fail.
#pragma once

#include "core/Image.h"

class CJpegCodec {
  public:
    // libraryPath null: the library by its name, beside the program first.
    explicit CJpegCodec(const char* libraryPath = nullptr);
    ~CJpegCodec();
    CJpegCodec(const CJpegCodec&) = delete;
    CJpegCodec& operator=(const CJpegCodec&) = delete;

    bool Loaded() const { return loaded_; }
    bool Read(CImage& image, const char* fileName) const;
    bool Write(const CImage& image, const char* fileName, int quality) const;

    using LoadEntry = void* (*)(const char*);
    using SaveEntry = int (*)(const char*, const void*, int);
    using ReleaseEntry = void (*)(void*);
    using ReasonEntry = const char* (*)();

  private:
    const char* LibraryReason(const char* fallback) const;

    bool loaded_ = false;
    void* module_ = nullptr;
    LoadEntry load_ = nullptr;
    SaveEntry save_ = nullptr;
    ReleaseEntry release_ = nullptr;
    ReasonEntry reason_ = nullptr;
};

// The platform's side of the library: opening it, finding an entry point,
// releasing a block that `load` returned, closing it.
namespace codeclib {
void* Open(const char* libraryPath);
void* Find(void* module, const char* name);
void FreeBlock(void* block, CJpegCodec::ReleaseEntry release);
void Close(void* module);
} // namespace codeclib
