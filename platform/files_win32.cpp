#include "platform/files.h"

#include <windows.h>

namespace platform {

namespace {
void takeEntry(const WIN32_FIND_DATAA& data, FindEntry& entry) {
  entry.name = data.cFileName;
  entry.attributes = data.dwFileAttributes;
}
}  // namespace

FindHandle findFirst(const std::string& pattern, FindEntry& entry) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  takeEntry(data, entry);
  return h;
}

bool findNext(FindHandle handle, FindEntry& entry) {
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(handle, &data)) return false;
  takeEntry(data, entry);
  return true;
}

void findClose(FindHandle handle) {
  if (handle) FindClose(handle);
}

std::string moduleFileName() {
  char buffer[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, n < MAX_PATH ? n : MAX_PATH - 1);
}

bool setCurrentDirectory(const std::string& folder) { return SetCurrentDirectoryA(folder.c_str()) != 0; }

bool fullNameOfExclusiveOpen(const std::string& path, std::string& fullName) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[MAX_PATH] = {};
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  CloseHandle(file);
  if (n == 0 || n >= MAX_PATH) return false;
  fullName.assign(buffer, n);
  return true;
}

bool copyFileNoOverwrite(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), TRUE) != 0;
}

}  // namespace platform
