// File input and output, whole or in pieces. A write goes to a temporary file
// beside the target, which replaces the target only once the whole write has
// succeeded, so a failed save never leaves an existing file empty or short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Files larger than this are refused by the readers.
constexpr uint64_t kMaxFileBytes = uint64_t(1) << 30;

// The size of the one reused buffer through which large files are read and
// written in pieces: fresh memory for a whole-file copy costs more to touch
// than the copy itself.
constexpr size_t kFilePieceBytes = size_t(1) << 20;

struct FreeBytes {
    void operator()(uint8_t* p) const;
};

// One owned block of bytes (no exceptions: allocation failure is a false result).
struct ByteBlock {
    std::unique_ptr<uint8_t[], FreeBytes> data;
    size_t size = 0;

    // A block of n bytes, uninitialised; false when it cannot be obtained.
    bool Allocate(size_t n);
};

// Reads the whole file. False when it cannot be opened or read, is not a regular
// file, is larger than maxBytes or the block cannot be obtained; out is then
// empty.
bool ReadWholeFile(const char* path, ByteBlock& out, uint64_t maxBytes = kMaxFileBytes);

// A regular file open for reading at any offset. Open refuses what
// ReadWholeFile refuses, saying why through FailWith.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool Open(const char* path, uint64_t maxBytes = kMaxFileBytes);
    uint64_t Size() const { return size_; } // as found by Open

    // Fills to[0..n) from offset. False on an error or when the file ends
    // first (it may have shrunk since Open).
    bool ReadAt(uint64_t offset, void* to, size_t n);

  private:
    intptr_t handle_ = -1;
    uint64_t size_ = 0;
};

// Writes data[0..size) as the whole file at path, replacing an existing file
// only after a complete write. False (the old file intact, no temporary left)
// when anything fails.
bool WriteWholeFile(const char* path, const void* data, size_t size);

// Makes the content of a file that WriteFileInPieces writes.
class PieceProducer {
  public:
    // Fills piece[0..n) with the next n bytes of the file, 0 < n <= capacity,
    // and returns n; 0 when it cannot, which fails the save.
    virtual size_t Produce(uint8_t* piece, size_t capacity) = 0;

  protected:
    ~PieceProducer() = default;
};

// Writes a file of size bytes, as WriteWholeFile does, from what producer
// puts into one reused buffer of min(size, pieceBytes) bytes.
bool WriteFileInPieces(const char* path, uint64_t size, size_t pieceBytes, PieceProducer& producer);

// Safe saving for a writer that produces the file itself by name: write to
// TempPath(), then Commit(). An uncommitted temporary is removed on destruction.
// The temporary reaches the disk before it replaces the target, so a power cut
// leaves the old file or the new one. A symbolic link is written through and
// kept; a read-only target is refused (no temporary), as a direct write would
// be; a replaced file keeps its permissions.
class SafeSave {
  public:
    explicit SafeSave(const char* target);
    ~SafeSave();
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    // An existing, empty file in the target's folder, or nullptr when none
    // could be created (the save must then fail).
    const char* TempPath() const { return created_ ? temp_ : nullptr; }

    // Flushes the temporary file to disk and replaces the target with it. False
    // when there is none or either step fails; the target is then unchanged and
    // the temporary gone.
    bool Commit();

    // Removes the temporary file; the target is untouched.
    void Discard();

  private:
    static constexpr size_t kMaxPath = 4096;
    char target_[kMaxPath];
    char temp_[kMaxPath];
    bool created_ = false;
};
