// The last-separator walk by characters of code page 936.
#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace {

TEST(FindLastSeparator, WalksByCharacters) {
  struct Case {
    const char* path;
    const char* separators;
    size_t expected;
  } cases[] = {
      {"C:\\Fonts\\a.ttf", "\\", 8},
      {"C:\\vornel.exe", "\\", 2},
      {"vornel.exe", "\\", std::string::npos},
      {"", "\\", std::string::npos},
      // 0x955C is one character whose second byte is a backslash.
      {"C:\\\x95\x5C.ttf", "\\", 2},
      {"C:\\\x95\x5C\\x", "\\", 5},
      {"a/b:c", "\\/:", 3},
      // A lead byte at the very end stands alone.
      {"a\\\x95", "\\", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(platform::findLastSeparator(c.path, c.separators), c.expected);
  }
}

}  // namespace
