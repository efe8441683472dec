#include "platform/codepage.h"

#include <windows.h>

namespace platform {

bool isLeadByte(unsigned char b) { return IsDBCSLeadByte(b) != 0; }

int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int outUnits) {
  return MultiByteToWideChar(codePage, 0, text, -1, reinterpret_cast<LPWSTR>(out), outUnits);
}

int wideToMultiByte(unsigned codePage, const char16_t* units, char* out, int outBytes) {
  return WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWSTR>(units), -1, out, outBytes, nullptr, nullptr);
}

}  // namespace platform
