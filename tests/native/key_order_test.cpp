#include "dictionary/key_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using docket::CompareKeys;
using namespace std::string_literals;

int Sign(int value) { return (value > 0) - (value < 0); }

struct OrderCase {
  const char* name;
  std::u16string left, right;
  int expected;  // sign of CompareKeys(left, right)
};

TEST(KeyOrder, FoldsOnlyAsciiLettersAndComparesCodeUnits) {
  const OrderCase cases[] = {
      {"equal", u"abc", u"abc", 0},
      {"case of A-Z ignored", u"ReadMe.TXT", u"readme.txt", 0},
      {"B after a", u"B", u"a", 1},
      {"a before B", u"a", u"B", -1},
      {"underscore before upper-case letters", u"_c", u"A", -1},
      {"underscore before lower-case letters", u"_", u"a", -1},
      {"[ sorts before letters once they are folded", u"[", u"A", -1},
      {"@ and ` are not letters", u"@", u"`", -1},
      {"digits before letters", u"9", u"A", -1},
      {"prefix sorts first", u"abc", u"abcd", -1},
      {"longer sorts last, whatever the case", u"ABCD", u"abc", 1},
      {"empty before everything", u"", u"\u0001", -1},
      {"empty equals empty", u"", u"", 0},
      {"capital A grave before small a grave", u"\u00C0", u"\u00E0", -1},
      {"Cyrillic letters keep their case", u"\u0434", u"\u0414", 1},
      {"non-ASCII after ASCII letters", u"z", u"\u00E0", -1},
      {"high code units compare unsigned", u"\u007F", u"\uFFFF", -1},
      {"surrogates compare as code units", {char16_t(0xD83D), char16_t(0xDE00)}, u"\uFF21", -1},
      {"embedded NUL is a code unit, not the end", u"a\0b"s, u"a", 1},
      {"embedded NUL keys differ after it", u"a\0b"s, u"a\0c"s, -1},
  };
  for (const OrderCase& c : cases) {
    EXPECT_EQ(Sign(CompareKeys(c.left, c.right)), c.expected) << c.name;
    EXPECT_EQ(Sign(CompareKeys(c.right, c.left)), -c.expected) << c.name << " (swapped)";
  }
}

TEST(KeyOrder, WideStringsOrderLikeUtf16) {
  EXPECT_EQ(CompareKeys(std::wstring_view(L"README"), std::wstring_view(L"readme")), 0);
  EXPECT_LT(CompareKeys(std::wstring_view(L"_c.txt"), std::wstring_view(L"A.txt")), 0);
  EXPECT_GT(CompareKeys(std::wstring_view(L"b.txt"), std::wstring_view(L"A.txt")), 0);
  EXPECT_LT(CompareKeys(std::wstring_view(L"\u00C0"), std::wstring_view(L"\u00E0")), 0);
  EXPECT_NE(CompareKeys(std::wstring_view(L"\u00C0"), std::wstring_view(L"\u00E0")), 0);
}

TEST(KeyOrder, SortsFileNamesLikeTheCollectionsShowThem) {
  std::vector<std::u16string> names = {u"readme", u"b.txt", u"Apple", u"_c.txt", u"A.txt",
                                       u"banana", u"Zeta", u"alpha"};
  std::sort(names.begin(), names.end(),
            [](const auto& a, const auto& b) { return CompareKeys(a, b) < 0; });
  const std::vector<std::u16string> expected = {u"_c.txt", u"A.txt", u"alpha",  u"Apple",
                                                u"b.txt",  u"banana", u"readme", u"Zeta"};
  EXPECT_EQ(names, expected);
}

}  // namespace
