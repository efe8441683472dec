// Which file names a search takes, and the text it records for each.
#pragma once

#include <string>
#include <vector>

// A filter such as ".ttf|.otf|.ttc", read once per folder.
struct NameFilter {
  bool matchAll = false;
  std::vector<std::string> endings;  // lower-cased, each starting with "."
};

// "*.*", ".*", "*", empty and absent take every name; otherwise each item
// between "|" is a literal name ending ("*" and "?" included) that gets a
// leading "." when it has none.
NameFilter readFilter(const char* filter);
// True when name ends in one of the filter's endings, ignoring the case of
// A to Z; the bytes of double-byte characters are compared as they are.
bool nameMatches(const NameFilter& filter, const std::string& name);

// The text recorded for a matching file: 1 the bare name, 2 the name before
// its last "." (empty for none or a leading one only), anything else the
// folder text followed by the name.
std::string resultText(const std::string& folder, const std::string& name, int form);
