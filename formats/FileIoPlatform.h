// The few file operations that differ between platforms, behind the portable
// functions of FileIo.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/FileIo.h"

namespace fileio {

// A block of n bytes (n > 0) for ByteBlock, freed with std::free; large
// blocks may be placed on huge pages.
uint8_t* AllocateBytes(size_t n);

enum class CreateResult { Created, Exists, Failed };
// Creates path as a new empty file, failing with Exists when the name is taken.
// When model names an existing file, the new file takes its permissions
// (POSIX mode and owner, or Windows attributes).
CreateResult CreateEmpty(const char* path, const char* model);

// An existing file, emptied and written from the start.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool Open(const char* path);
    // Appends data[0..size); false on any error or short write.
    bool Write(const void* data, size_t size);
    // False when the close reports an error (it can report a deferred one).
    bool Close();

  private:
    intptr_t handle_ = -1;
    uint64_t written_ = 0, started_ = 0;
};

// The file a save to path must replace: path itself, or the file that a chain
// of symbolic links at path ends in, so that saving writes through a link and
// keeps it. False when the result does not fit in out[0..outSize).
bool ResolveTarget(const char* path, char* out, size_t outSize);

// False when path names an existing file that a direct write could not
// change: a read-only file, or one this user may not write.
bool MayReplace(const char* path);

// Forces the file's content to the disk, so that a rename that follows cannot
// reach the disk before it. False when the system reports an error.
bool FlushToDisk(const char* path);

// Forces the folder holding path to the disk (its new entry after a rename).
void FlushFolder(const char* path);

// Moves from over to, replacing an existing file of that name.
bool MoveOver(const char* from, const char* to);

void Remove(const char* path);

// A number that tells this process's temporary names from another's.
unsigned long ProcessNumber();

} // namespace fileio
