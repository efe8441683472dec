// Files and folders through the ANSI file functions (paths in code page 936,
// bound by MAX_PATH).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

const uint32_t kAttributeDirectory = 0x10;

struct FindEntry {
  std::string name;
  uint32_t attributes = 0;
};

using FindHandle = void*;  // none is nullptr

// FindFirstFileA on pattern; nullptr when nothing can be listed.
FindHandle findFirst(const std::string& pattern, FindEntry& entry);
bool findNext(FindHandle handle, FindEntry& entry);
void findClose(FindHandle handle);

// Full path of the program's own executable (GetModuleFileNameA into 260 bytes).
std::string moduleFileName();
bool setCurrentDirectory(const std::string& folder);

// Opens an existing file for reading with no sharing and gives its full path
// name; false when the open fails (missing, in use, no access, empty path).
bool fullNameOfExclusiveOpen(const std::string& path, std::string& fullName);
// CopyFileA that never overwrites an existing destination.
bool copyFileNoOverwrite(const std::string& from, const std::string& to);

}  // namespace platform
