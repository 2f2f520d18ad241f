// Files for the format tests: a private temporary folder and whole-file helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A fresh, empty folder that is removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of name inside the folder.
    std::string Path(const std::string& name) const;
    // The names of the files in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::string folder_;
};

void PutFile(const std::string& path, const Bytes& bytes);
// The file's bytes; empty when it does not exist.
Bytes GetFile(const std::string& path);
bool PathExists(const std::string& path);

// Little-endian fields for building headers in tests.
void Put16(Bytes& b, size_t at, uint16_t v);
void Put32(Bytes& b, size_t at, uint32_t v);
