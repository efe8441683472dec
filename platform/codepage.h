// The system ANSI code page (936 for this program's users) and conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// True when b starts a double-byte character in the system ANSI code page.
bool isLeadByte(unsigned char b);

// Index of the last byte of path that is one of separators, walking the path
// character by character so a trailing byte of a double-byte character is
// never taken for one; npos when there is none.
size_t findLastSeparator(const std::string& path, const char* separators);

// Code pages the conversions below take.
const unsigned kAnsiCodePage = 0;  // the system ANSI code page (CP_ACP)
const unsigned kUtf8CodePage = 65001;
const unsigned kChineseCodePage = 936;

// MultiByteToWideChar(codePage, 0, text, -1, out, outUnits): decodes the
// zero-terminated text, terminator included. With outUnits 0 it only counts
// the units needed. Gives the units written or needed, 0 on failure.
int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int outUnits);
// WideCharToMultiByte(codePage, 0, units, -1, out, outBytes, no default
// character): encodes up to and including the zero unit; characters the code
// page lacks become its default character. With outBytes 0 it only counts.
int wideToMultiByte(unsigned codePage, const char16_t* units, char* out, int outBytes);

}  // namespace platform
