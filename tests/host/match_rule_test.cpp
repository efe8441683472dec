// Which names a filter takes and the text recorded for each form.
#include <gtest/gtest.h>

#include "discovery/match_rule.h"

namespace {

TEST(MatchRule, Table) {
  const char* fonts = ".ttf|.otf|.ttc";
  struct Case {
    const char* filter;
    const char* name;
    bool matches;
  } cases[] = {
      {fonts, "a.ttf", true},
      {fonts, "A.TTF", true},
      {fonts, "b.Otf", true},
      {fonts, "c.ttc", true},
      {fonts, ".ttf", true},  // the whole name is the ending
      {fonts, ".hidden.ttf", true},
      {fonts, "a.ttf.bak", false},
      {fonts, "a.fon", false},
      {fonts, "a.otc", false},
      {fonts, "ttf", false},  // shorter than the ending
      {fonts, "attf", false},
      // Double-byte names: the bytes of a character are never case-folded.
      {fonts, "\xCB\xCE\xCC\xE5.TTF", true},
      {fonts, "\x95\x5C.ttf", true},
      {".\x81Z", "a.\x81Z", true},
      {".\x81Z", "a.\x81z", false},  // a second byte in A..Z stays as it is
      {".\x81z", "a.\x81Z", false},
      {".z", "a.Z", true},
      // Items without a dot get one; empty items become a lone ".".
      {"ttf|otf", "a.otf", true},
      {"ttf|otf", "attf", false},
      {"|.ttf", "name.", true},
      {".ttf|", "name.", false},  // a trailing separator adds no item
      {".a||.b", "x.", true},
      {"|", "x.", true},
      {"|", "x", false},
      // "*" and "?" are literal characters.
      {"*.ttf", "a.ttf", false},
      {".t?f", "a.ttf", false},
      {".t?f", "a.t?f", true},
      {"**", "a", false},
      // Match-all filters, compared exactly.
      {"*.*", "anything", true},
      {".*", "no-dot", true},
      {"*", "x.y", true},
      {"", "x.y", true},
      {nullptr, "x.y", true},
      {"*.*|.ttf", "x.y", false},
      {"*.*|.ttf", "x.ttf", true},
      {"*.* ", "x.y", false},
      // A "|" that is the second byte of a character does not separate.
      {".\x81|z", "a.\x81|z", true},
      {".\x81|z", "a.z", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filter ? c.filter : "(none)") + " / " + c.name);
    EXPECT_EQ(nameMatches(readFilter(c.filter), c.name), c.matches);
  }
}

TEST(MatchRule, Forms) {
  struct Case {
    const char* name;
    int form;
    const char* expected;
  } cases[] = {
      {"Arial.TTF", 0, "D:\\Fonts\\Arial.TTF"},
      {"Arial.TTF", 1, "Arial.TTF"},
      {"Arial.TTF", 2, "Arial"},
      {"a.b.ttf", 2, "a.b"},
      {"noext", 2, ""},
      {".ttf", 2, ""},
      {".x.ttf", 2, ".x"},
      {"a.", 2, "a"},
      {"\x95\x5C.ttf", 2, "\x95\x5C"},
      {"a.ttf", 3, "D:\\Fonts\\a.ttf"},
      {"a.ttf", -1, "D:\\Fonts\\a.ttf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " form " + std::to_string(c.form));
    EXPECT_EQ(resultText("D:\\Fonts\\", c.name, c.form), c.expected);
  }
}

}  // namespace
