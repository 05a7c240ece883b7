// The dictionary's text order at its known edges; agreement with a model, the exact order and the
// hashes of equal keys are the fuzz target's.
#include "dictionary/key_order.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(KeyOrder, FoldsOnlyAsciiLettersAndComparesCodeUnits) {
  const struct {
    const char* name;
    std::u16string left, right;
    int expected;  // sign of CompareKeys(left, right), and the opposite when swapped
  } cases[] = {
      {"case of A-Z ignored", u"ReadMe.TXT", u"readme.txt", 0},
      {"underscore before letters of either case", u"_", u"A", -1},
      {"[ before letters once they are folded", u"[", u"a", -1},
      {"digits before letters", u"9", u"A", -1},
      {"prefix first", u"ABC", u"abcd", -1},
      {"empty first", u"", u"\u0001", -1},
      {"A grave before a grave", u"\u00C0", u"\u00E0", -1},
      {"Cyrillic keeps its case", u"\u0434", u"\u0414", 1},
      {"units compare unsigned", u"\u007F", u"\uFFFF", -1},
      {"surrogates are code units", {char16_t(0xD83D), char16_t(0xDE00)}, u"\uFF21", -1},
      {"NUL is a code unit, not the end", u"a\0b"s, u"a", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sign(docket::CompareKeys(c.left, c.right)), c.expected) << c.name;
    EXPECT_EQ(Sign(docket::CompareKeys(c.right, c.left)), -c.expected) << c.name << ", swapped";
  }
  EXPECT_EQ(docket::CompareKeys(std::wstring_view(L"README"), std::wstring_view(L"readme")), 0);
  EXPECT_NE(docket::KeyOrder{}.Hash(L"a\u0100"), docket::KeyOrder{}.Hash(L"a\u0200")) << "a unit's high byte counts";
}

}  // namespace
