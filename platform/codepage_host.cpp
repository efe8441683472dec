// Host stand-in for the system ANSI code page: code page 936 (GBK), with the
// conversions done by iconv and the Windows rules for flags 0 at the edges:
// an undecodable byte becomes U+FFFD, a character the target lacks becomes
// "?", a buffer too small fails the call.
#include "platform/codepage.h"

#include <iconv.h>

#include <cstring>
#include <string>

namespace platform {

namespace {

const char* iconvName(unsigned codePage) {
  return codePage == kUtf8CodePage ? "UTF-8" : "CP936";  // the ANSI code page is 936 here
}

// Converts one piece with iconv; false when the piece cannot be converted.
bool convertPiece(iconv_t cd, const char* in, size_t inSize, std::string& out) {
  char buffer[16];
  char* src = const_cast<char*>(in);
  char* dst = buffer;
  size_t left = inSize, room = sizeof buffer;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &src, &left, &dst, &room) == static_cast<size_t>(-1) || left != 0) return false;
  out.append(buffer, sizeof buffer - room);
  return true;
}

// Length of the character that starts at p in the source code page.
size_t charLength(unsigned codePage, const unsigned char* p) {
  if (codePage != kUtf8CodePage) return p[0] >= 0x81 && p[0] <= 0xFE && p[1] ? 2 : 1;
  if (p[0] < 0x80) return 1;
  size_t n = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC0 ? 2 : 1;
  for (size_t i = 1; i < n; i++)
    if ((p[i] & 0xC0) != 0x80) return 1;
  return n;
}

}  // namespace

bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

int multiByteToWide(unsigned codePage, const char* text, char16_t* out, int outUnits) {
  if (!text || outUnits < 0) return 0;
  iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage));
  if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
  std::string units;  // UTF-16LE bytes
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    size_t n = charLength(codePage, p);
    if (!convertPiece(cd, reinterpret_cast<const char*>(p), n, units)) {
      units.append("\xFD\xFF", 2);
      n = 1;
    }
    p += n;
  }
  iconv_close(cd);
  units.append(2, '\0');
  int count = static_cast<int>(units.size() / 2);
  if (outUnits == 0) return count;
  if (outUnits < count) return 0;
  std::memcpy(out, units.data(), units.size());
  return count;
}

int wideToMultiByte(unsigned codePage, const char16_t* units, char* out, int outBytes) {
  if (!units || outBytes < 0) return 0;
  iconv_t cd = iconv_open(iconvName(codePage), "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
  std::string bytes;
  for (const char16_t* u = units; *u;) {
    // A surrogate pair is one character for UTF-8; code page 936 has no
    // such characters and takes each unit on its own.
    size_t n = codePage == kUtf8CodePage && u[0] >= 0xD800 && u[0] < 0xDC00 && u[1] >= 0xDC00 && u[1] < 0xE000 ? 2 : 1;
    unsigned char piece[4];
    for (size_t i = 0; i < n; i++) {
      piece[2 * i] = static_cast<unsigned char>(u[i] & 0xFF);
      piece[2 * i + 1] = static_cast<unsigned char>(u[i] >> 8);
    }
    if (!convertPiece(cd, reinterpret_cast<const char*>(piece), 2 * n, bytes)) bytes += '?';
    u += n;
  }
  iconv_close(cd);
  bytes += '\0';
  int count = static_cast<int>(bytes.size());
  if (outBytes == 0) return count;
  if (outBytes < count) return 0;
  std::memcpy(out, bytes.data(), bytes.size());
  return count;
}

}  // namespace platform
