#include "update/extract_between.h"

namespace {

const char kQuoteName[] = "#引号";

bool startsDoubleByte(char b) { return static_cast<unsigned char>(b) >= 0x80; }

char fold(char b) { return b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b; }

bool matchesAt(const std::string& text, size_t at, const std::string& marker, bool ignoreCase) {
  if (marker.size() > text.size() - at) return false;
  for (size_t i = 0; i < marker.size(); i++) {
    char a = text[at + i], b = marker[i];
    if (ignoreCase ? fold(a) != fold(b) : a != b) return false;
  }
  return true;
}

}  // namespace

std::string replaceText(const std::string& text, const std::string& search, const std::string& replacement) {
  if (text.empty() || search.empty()) return text;
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (text.compare(i, search.size(), search) == 0) {
      out += replacement;
      i += search.size();
    } else {
      size_t n = startsDoubleByte(text[i]) && i + 1 < text.size() ? 2 : 1;
      out.append(text, i, n);
      i += n;
    }
  }
  return out;
}

int findText(const std::string& text, const std::string& marker, int startPosition, bool ignoreCase) {
  size_t skip = startPosition > 1 ? static_cast<size_t>(startPosition) - 1 : 0;
  if (skip >= text.size()) return -1;
  if (marker.empty()) return 1;
  for (size_t i = skip; i < text.size();) {
    bool doubleByte = startsDoubleByte(text[i]);
    if (doubleByte && i + 1 >= text.size()) break;  // a lead byte cut off by the end
    if (matchesAt(text, i, marker, ignoreCase)) return static_cast<int>(i) + 1;
    i += doubleByte ? 2 : 1;
  }
  return -1;
}

std::string middleText(const std::string& text, int position, int count) {
  if (position < 1 || static_cast<size_t>(position) > text.size() || count <= 0) return std::string();
  return text.substr(static_cast<size_t>(position) - 1, static_cast<size_t>(count));
}

std::string extractBetween(const std::string& text, const std::string& startMarker, const std::string& endMarker,
                           int startPosition, bool ignoreCase) {
  std::string start = replaceText(startMarker, kQuoteName, "\"");
  std::string end = replaceText(endMarker, kQuoteName, "\"");
  int found = findText(text, start, startPosition, ignoreCase);
  if (found == -1) return std::string();
  int first = found + static_cast<int>(start.size());
  int last = findText(text, end, first, ignoreCase);
  if (last == -1) return std::string();
  return middleText(text, first, last - first);
}
