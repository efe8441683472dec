#include "platform/version_resource.h"

#include <windows.h>

namespace platform {

uint32_t versionInfoSize(const std::string& path) { return GetFileVersionInfoSizeA(path.c_str(), nullptr); }

bool readVersionBlock(const std::string& path, uint32_t size, void* block) {
  return GetFileVersionInfoA(path.c_str(), 0, size, block) != FALSE;
}

bool queryVersionValue(const void* block, const std::string& subBlock, const void*& value, uint32_t& length) {
  void* found = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(block, subBlock.c_str(), &found, &len)) return false;
  value = found;
  length = len;
  return true;
}

std::string languageName(uint32_t language) {
  char buffer[256] = {};
  VerLanguageNameA(language, buffer, sizeof buffer);
  return buffer;
}

}  // namespace platform
