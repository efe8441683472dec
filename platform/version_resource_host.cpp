// Host stand-in: Linux files carry no version resource.
#include "platform/version_resource.h"

namespace platform {

uint32_t versionInfoSize(const std::string&) { return 0; }
bool readVersionBlock(const std::string&, uint32_t, void*) { return false; }
bool queryVersionValue(const void*, const std::string&, const void*&, uint32_t&) { return false; }
std::string languageName(uint32_t) { return std::string(); }

}  // namespace platform
