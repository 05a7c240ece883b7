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
      {"[ sorts before letters once they are folded", u"[", u"a", -1},
      {"digits before letters", u"9", u"A", -1},
      {"prefix sorts first", u"ABC", u"abcd", -1},
      {"empty before everything", u"", u"\u0001", -1},
      {"capital A grave before small a grave", u"\u00C0", u"\u00E0", -1},
      {"Cyrillic letters keep their case", u"\u0434", u"\u0414", 1},
      {"high code units compare unsigned", u"\u007F", u"\uFFFF", -1},
      {"surrogates compare as code units", {char16_t(0xD83D), char16_t(0xDE00)}, u"\uFF21", -1},
      {"embedded NUL is a code unit, not the end", u"a\0b"s, u"a", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sign(docket::CompareKeys(c.left, c.right)), c.expected) << c.name;
    EXPECT_EQ(Sign(docket::CompareKeys(c.right, c.left)), -c.expected) << c.name << ", swapped";
  }
  // The module's own strings (UTF-16 where it runs) take the same path.
  EXPECT_EQ(docket::CompareKeys(std::wstring_view(L"README"), std::wstring_view(L"readme")), 0);
  EXPECT_GT(docket::CompareKeys(std::wstring_view(L"b.txt"), std::wstring_view(L"A.txt")), 0);
}

TEST(KeyOrder, ExactComparisonAndHashesAgreeWithEquality) {
  EXPECT_LT(docket::CompareKeysExactly(u"B", u"a"), 0) << "no folding: capitals first";
  EXPECT_LT(docket::CompareKeysExactly(u"ab", u"abc"), 0);
  const docket::KeyOrder text{}, exact{true};
  const std::wstring_view keys[] = {L"", L"a", L"A", L"readme", L"README", L"ReadMe",
                                    L"\u00C0", L"\u00E0", L"z", L"_", L"a\u0100"};
  for (const std::wstring_view left : keys) {
    for (const std::wstring_view right : keys) {
      for (const docket::KeyOrder& order : {text, exact}) {
        if (order(left, right) == 0) {
          EXPECT_EQ(order.Hash(left), order.Hash(right)) << "equal keys hash alike";
        }
      }
    }
  }
  EXPECT_NE(text.Hash(L"a"), text.Hash(L"a\u0100")) << "the high byte of a code unit counts";
}

}  // namespace
