#include "update/version_info.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/version_resource.h"

namespace {

const size_t kMaxFieldBytes = 255;  // a field's slot holds 255 bytes and the terminator

// The string names, by field; kLanguageNames is computed instead.
const char* const kStringNames[kVersionFieldCount] = {
    "FileVersion",    "FileDescription", "InternalName", "CompanyName", "LegalCopyright", "LegalTrademarks",
    "OriginalFilename", "ProductName",   "ProductVersion", nullptr,     "Comments"};

std::string hex4(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "000%x", value);
  return std::string(buffer).substr(std::strlen(buffer) - 4);
}

std::string stringValue(const void* block, const std::string& key, const char* name) {
  const void* value = nullptr;
  uint32_t length = 0;
  if (!platform::queryVersionValue(block, "\\StringFileInfo\\" + key + "\\" + name, value, length) || !value)
    return std::string();
  const char* text = static_cast<const char*>(value);
  return std::string(text, strnlen(text, length < kMaxFieldBytes ? length : kMaxFieldBytes));
}

}  // namespace

bool readVersionInfo(const std::string& path, VersionRecord& record) {
  for (std::string& field : record.fields) std::string().swap(field);
  uint32_t size = platform::versionInfoSize(path);
  if (size == 0) return false;
  std::vector<unsigned char> block(size);
  // A resource that is there but cannot be read gives no strings.
  if (!platform::readVersionBlock(path, size, block.data())) return true;

  std::string key = "040904E4";
  const void* table = nullptr;
  uint32_t tableBytes = 0;
  if (platform::queryVersionValue(block.data(), "\\VarFileInfo\\Translation", table, tableBytes) && table &&
      tableBytes >= 4) {
    const unsigned char* entries = static_cast<const unsigned char*>(table);
    std::string names;
    for (uint32_t at = 0; at + 4 <= tableBytes; at += 4) {
      unsigned language = entries[at] | entries[at + 1] << 8;
      unsigned codePage = entries[at + 2] | entries[at + 3] << 8;
      if (at == 0) key = hex4(language) + hex4(codePage);
      if (at > 0) names += ", ";
      names += platform::languageName(language | codePage << 16);
    }
    record.fields[kLanguageNames] = names.substr(0, kMaxFieldBytes);
  }
  for (int f = 0; f < kVersionFieldCount; f++)
    if (kStringNames[f]) record.fields[f] = stringValue(block.data(), key, kStringNames[f]);
  return true;
}
