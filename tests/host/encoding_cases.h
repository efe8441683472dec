// Page bytes and the code page 936 text they must become; shared by the
// native table and the same table run against Windows' own conversion.
#pragma once

#include <string>

struct EncodingCase {
  const char* name;
  std::string pageBytes;  // as fetched: UTF-8, maybe with a zero byte
  std::string expected;   // code page 936 (this file is compiled to GBK)
};

inline const EncodingCase kEncodingCases[] = {
    {"chinese", u8"网络未接通！", "网络未接通！"},
    {"ascii", "[edition]=1.0.6.0[/edition] <p>\r\n", "[edition]=1.0.6.0[/edition] <p>\r\n"},
    {"zero byte cuts", std::string(u8"前\0后", 7), "前"},
    {"empty", "", ""},
    {"only a zero byte", std::string(1, '\0'), ""},
    // Each surrogate of a character outside the code page becomes "?".
    {"emoji", u8"a\U0001F600b", "a??b"},
    // Invalid bytes become U+FFFD, which code page 936 lacks: more units than
    // the same bytes give in code page 936, and still nothing is lost.
    {"invalid utf-8", "ok\xFE\xFD\xFF" + std::string(u8"网络"), "ok???网络"},
    {"invalid only", "\xFE\xFD\xFE\xFD", "????"},
};
