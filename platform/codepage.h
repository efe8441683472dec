// The system ANSI code page (936 for this program's users) and conversions.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// True when b starts a double-byte character in the system ANSI code page.
bool isLeadByte(unsigned char b);

// Index of the last byte of path that is one of separators, walking the path
// character by character so a trailing byte of a double-byte character is
// never taken for one; npos when there is none.
size_t findLastSeparator(const std::string& path, const char* separators);

}  // namespace platform
