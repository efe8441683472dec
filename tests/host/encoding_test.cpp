// Page bytes to code page 936 text, with iconv standing in for Windows.
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

TEST(Encoding, Utf16BufferHoldsTheTerminator) {
  EXPECT_EQ(toUtf16(u8"网络"), std::u16string(u"网络\0", 3));
  EXPECT_EQ(toUtf16(""), std::u16string(1, u'\0'));
  EXPECT_EQ(toUtf16("网络", platform::kChineseCodePage), std::u16string(u"网络\0", 3));
  EXPECT_EQ(fromUtf16(std::u16string()), "");
  EXPECT_EQ(fromUtf16(u"网络"), "网络");  // the system code page is 936
  EXPECT_EQ(fromUtf16(u"网络", platform::kUtf8CodePage), u8"网络");
}

}  // namespace
