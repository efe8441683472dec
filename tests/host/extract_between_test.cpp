// Cutting the announcement block and its fields out of the page text.
#include <gtest/gtest.h>

#include "update/announcement.h"
#include "update/extract_between.h"

namespace {

TEST(ExtractBetween, Cases) {
  struct Case {
    const char* name;
    std::string text, start, end;
    int startPosition;
    bool ignoreCase;
    std::string expected;
  } cases[] = {
      {"worked example", "ab[edition]=1.2[/edition]cd", "[edition]=", "[/edition]", 0, false, "1.2"},
      {"empty value", "[edition]=[/edition]", "[edition]=", "[/edition]", 0, false, ""},
      {"blanks kept", "[edition]= 1.0.6.0 [/edition]", "[edition]=", "[/edition]", 0, false, " 1.0.6.0 "},
      {"no start marker", "1.2[/edition]", "[edition]=", "[/edition]", 0, false, ""},
      {"no end marker", "[edition]=1.2", "[edition]=", "[/edition]", 0, false, ""},
      {"end marker only before", "[/edition][edition]=1.2", "[edition]=", "[/edition]", 0, false, ""},
      {"start marker ends the text", "xx[edition]=", "[edition]=", "[/edition]", 0, false, ""},
      {"first of two", "<a>1</a><a>2</a>", "<a>", "</a>", 0, false, "1"},
      {"start position skips the first", "<a>1</a><a>2</a>", "<a>", "</a>", 2, false, "2"},
      {"start position below one", "<a>1</a>", "<a>", "</a>", -5, false, "1"},
      {"start position past the end", "<a>1</a>", "<a>", "</a>", 9, false, ""},
      {"case differs, exact match asked", "[EDITION]=1[/EDITION]", "[edition]=", "[/edition]", 0, false, ""},
      {"case differs, ignored", "[EDITION]=1[/Edition]", "[edition]=", "[/edition]", 0, true, "1"},
      {"mixed case markers", "[DownloadUrl]=http://x[/DOWNLOADURL]", "[downloadURL]=", "[/downloadURL]", 0, true,
       "http://x"},
      {"value keeps its case", "[edition]=Beta[/edition]", "[EDITION]=", "[/EDITION]", 0, true, "Beta"},
      {"chinese markers", "前[加群链接]=http://q[/加群链接]后", "[加群链接]=", "[/加群链接]", 0, true, "http://q"},
      {"chinese value", "[explain]=修复了问题[/explain]", "[explain]=", "[/explain]", 0, false, "修复了问题"},
      // The trail byte 0x5B of a double-byte character is "[": a marker that
      // would start on it is never seen, since the search steps over both.
      {"trail byte is not a start", "\x81[edition]=1[/edition]", "[edition]=", "[/edition]", 0, false, ""},
      {"after a whole character", "\x81\x40[edition]=1[/edition]", "[edition]=", "[/edition]", 0, false, "1"},
      // Folding touches A-Z only, also in a trail byte: 0x81 0x41 matches 0x81 0x61.
      {"trail byte folded", "<\x81\x41>v</>", "<\x81\x61>", "</>", 0, true, "v"},
      {"lead byte cut by the end", "[a]=1\x81", "[a]=", "\x81", 0, false, ""},
      {"quote name in markers", "<\"x\">v</\"x\">", "<#引号x#引号>", "</#引号x#引号>", 0, false, "v"},
      {"empty start marker", "abc", "", "c", 0, false, "ab"},
      {"empty text", "", "[a]", "[/a]", 0, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(extractBetween(c.text, c.start, c.end, c.startPosition, c.ignoreCase), c.expected);
  }
}

TEST(ExtractBetween, FindRule) {
  EXPECT_EQ(findText("ab[x]", "[x]", 0, false), 3);
  EXPECT_EQ(findText("ab[x]", "[x]", 3, false), 3);
  EXPECT_EQ(findText("ab[x]", "[x]", 4, false), -1);
  EXPECT_EQ(findText("ab[x]", "[x]y", 0, false), -1);  // must fit in what remains
  EXPECT_EQ(findText("abc", "", 0, false), 1);
  EXPECT_EQ(findText("abc", "", 3, false), 1);
  EXPECT_EQ(findText("abc", "", 4, false), -1);
  EXPECT_EQ(findText("中文x", "x", 0, false), 5);
  // Counted from where the search began: starting on a trail byte shifts the pairs.
  EXPECT_EQ(findText("\x81\x41x", "\x41x", 2, false), 2);
}

TEST(ExtractBetween, MiddleAndReplaceRules) {
  EXPECT_EQ(middleText("abcdef", 2, 3), "bcd");
  EXPECT_EQ(middleText("abcdef", 5, 9), "ef");
  EXPECT_EQ(middleText("abcdef", 0, 2), "");
  EXPECT_EQ(middleText("abcdef", 7, 1), "");
  EXPECT_EQ(middleText("abcdef", 1, 0), "");
  EXPECT_EQ(replaceText("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replaceText("abc", "", "x"), "abc");
  // The trail byte 0x61 ("a") of a double-byte character is never replaced.
  EXPECT_EQ(replaceText("\x81" "a" "a", "a", "b"), "\x81" "a" "b");
}

const char kWholePage[] =
    "<html><p>新闻[--标示开始--][edition]=1.0.6.0[/edition][downloadURL]=http://dl.example/v.zip[/downloadURL]"
    "[explain]=修复若干问题[/explain][qq]=12345[/qq][加群链接]=http://qq.example/j[/加群链接]"
    "[下载页面]=http://www.example/d[/下载页面][/--标示结束--]"
    "[--标示开始--][edition]=9.9[/edition][/--标示结束--][qq]=999[/qq]</p></html>";

TEST(Announcement, FieldsOfTheFirstBlock) {
  Announcement a = readAnnouncement(kWholePage);
  EXPECT_EQ(a.edition, "1.0.6.0");
  EXPECT_EQ(a.downloadUrl, "http://dl.example/v.zip");
  EXPECT_EQ(a.explanation, "修复若干问题");
  EXPECT_EQ(a.qqGroup, "12345");
  EXPECT_EQ(a.groupLink, "http://qq.example/j");
  EXPECT_EQ(a.downloadPage, "http://www.example/d");
}

TEST(Announcement, BrokenBlocks) {
  struct Case {
    const char* name;
    std::string page;
    std::string edition, downloadUrl;
  } cases[] = {
      {"no block", "[edition]=1.0.6.0[/edition]", "", ""},
      {"no end of block", "[--标示开始--][edition]=1.0.6.0[/edition]", "", ""},
      {"field after the block", "[--标示开始--][/--标示结束--][edition]=1[/edition]", "", ""},
      {"repeated field", "[--标示开始--][edition]=1[/edition][edition]=2[/edition][/--标示结束--]", "1", ""},
      {"any order", "[--标示开始--][downloadURL]=u[/downloadURL][edition]=1[/edition][/--标示结束--]", "1", "u"},
      {"closing marker missing", "[--标示开始--][downloadURL]=u[edition]=1[/edition][/--标示结束--]", "1", ""},
      {"capital block markers", "[--标示开始--][EDITION]=1[/EDITION][/--标示结束--]", "1", ""},
      {"line breaks kept", "[--标示开始--][edition]=1.0.6.0\r\n[/edition][/--标示结束--]", "1.0.6.0\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Announcement a = readAnnouncement(c.page);
    EXPECT_EQ(a.edition, c.edition);
    EXPECT_EQ(a.downloadUrl, c.downloadUrl);
  }
}

}  // namespace
