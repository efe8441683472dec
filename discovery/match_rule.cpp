#include "discovery/match_rule.h"

#include <cstring>

namespace {

// A byte of 0x80 or above starts a double-byte character of code page 936.
bool startsDoubleByte(unsigned char b) { return b >= 0x80; }

// Lower-cases A to Z and leaves both bytes of a double-byte character alone,
// so a trailing byte in A..Z is never changed.
std::string lowerAsciiLetters(std::string text) {
  for (size_t i = 0; i < text.size(); i++) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (startsDoubleByte(b))
      i++;
    else if (b >= 'A' && b <= 'Z')
      text[i] = static_cast<char>(b - 'A' + 'a');
  }
  return text;
}

}  // namespace

NameFilter readFilter(const char* filter) {
  NameFilter f;
  if (!filter || !*filter || !std::strcmp(filter, "*.*") || !std::strcmp(filter, ".*") || !std::strcmp(filter, "*")) {
    f.matchAll = true;
    return f;
  }
  // Every stretch before a "|" is an item, empty ones too; what follows the
  // last "|" is one only when it is not empty. A "|" that is the second byte
  // of a double-byte character does not separate.
  std::string item;
  for (const char* p = filter; *p; p++) {
    unsigned char b = static_cast<unsigned char>(*p);
    if (b == '|') {
      f.endings.push_back(item);
      item.clear();
      continue;
    }
    item += *p;
    if (startsDoubleByte(b) && p[1]) item += *++p;
  }
  if (!item.empty()) f.endings.push_back(item);
  for (std::string& e : f.endings) {
    if (e.empty() || e[0] != '.') e.insert(0, 1, '.');
    e = lowerAsciiLetters(e);
  }
  return f;
}

bool nameMatches(const NameFilter& filter, const std::string& name) {
  if (filter.matchAll) return true;
  // Every ending begins with ".", which is never the second byte of a
  // double-byte character, so lower-casing the whole name gives the same
  // bytes as lower-casing only its end.
  std::string lower = lowerAsciiLetters(name);
  for (const std::string& e : filter.endings)
    if (lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0) return true;
  return false;
}

std::string resultText(const std::string& folder, const std::string& name, int form) {
  if (form == 1) return name;
  if (form == 2) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(0, dot);
  }
  return folder + name;
}
