// The native encoding table again, against Windows' own conversions (the
// ANSI code page of the test prefix is 936).
#include <gtest/gtest.h>

#include "host/encoding_cases.h"
#include "update/encoding.h"

namespace {

TEST(Encoding, PageBytesBecomeCodePage936Text) {
  for (const EncodingCase& c : kEncodingCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(utf8ToAnsi(bytesToText(c.pageBytes)), c.expected);
  }
}

TEST(Encoding, InvalidUtf8NeedsMoreUnitsThanCodePage936) {
  // The case the buffer size matters for: four units in UTF-8 (three
  // replacement characters and the terminator), three in code page 936.
  EXPECT_EQ(toUtf16("\xFE\xFD\xFF"), std::u16string(u"\xFFFD\xFFFD\xFFFD\0", 4));
}

}  // namespace
