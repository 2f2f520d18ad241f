// The few file-system questions of the batch form. Paths are narrow strings in
// the system's code page, as the program's other file functions take them; on
// Windows they go to the "A" calls, because the standard library's path type
// would read code page 932 names as something else.
#pragma once

#include <string>

namespace batchfiles {

// Where the file name in path begins: after the last separator, never inside
// a double-byte character.
size_t NameStart(const std::string& path);

// Creates the folder (and the folders above it) when missing; true when path
// is then a folder.
bool MakeFolder(const std::string& path);

bool Exists(const std::string& path);

// True when both paths name one existing file.
bool SameFile(const std::string& a, const std::string& b);

} // namespace batchfiles
