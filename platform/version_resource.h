// Thin wrappers over the version-resource functions (ANSI).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// GetFileVersionInfoSizeA(path, no handle): 0 when there is no resource.
uint32_t versionInfoSize(const std::string& path);
// GetFileVersionInfoA(path, 0, size, block).
bool readVersionBlock(const std::string& path, uint32_t size, void* block);
// VerQueryValueA(block, subBlock): a pointer into the block and its length.
bool queryVersionValue(const void* block, const std::string& subBlock, const void*& value, uint32_t& length);
// VerLanguageNameA(language) into a 256-byte buffer.
std::string languageName(uint32_t language);

}  // namespace platform
