#include "update/encoding.h"

std::string bytesToText(const std::string& bytes) { return std::string(bytes.c_str()); }

std::u16string toUtf16(const std::string& text, unsigned codePage) {
  // Sized by a query in the conversion's own code page: invalid UTF-8 can
  // decode to more units than the same bytes would in code page 936.
  int n = platform::multiByteToWide(codePage, text.c_str(), nullptr, 0);
  if (n <= 0) return std::u16string();
  std::u16string units(static_cast<size_t>(n), u'\0');
  platform::multiByteToWide(codePage, text.c_str(), &units[0], n);
  return units;
}

std::string fromUtf16(const std::u16string& units, unsigned codePage) {
  if (units.empty()) return std::string();
  int m = platform::wideToMultiByte(platform::kAnsiCodePage, units.c_str(), nullptr, 0);
  // Twice the ANSI size, so a double-byte target always fits even where the
  // system code page is a single-byte one.
  if (2 * m < 1) return std::string();
  std::string out(static_cast<size_t>(2 * m), ' ');
  platform::wideToMultiByte(codePage, units.c_str(), &out[0], 2 * m);
  return std::string(out.c_str());
}

std::string utf8ToAnsi(const std::string& text) {
  return fromUtf16(toUtf16(text), platform::kChineseCodePage);
}
