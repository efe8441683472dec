#include "platform/codepage.h"

#include <cstring>

namespace platform {

size_t findLastSeparator(const std::string& path, const char* separators) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size();) {
    unsigned char b = static_cast<unsigned char>(path[i]);
    if (isLeadByte(b) && i + 1 < path.size()) {
      i += 2;
      continue;
    }
    if (b != 0 && std::strchr(separators, b)) last = i;
    i++;
  }
  return last;
}

}  // namespace platform
