// UTF-8 both ways: every plane, one U+FFFD per maximal subpart of ill-formed input, characters cut
// off by the end of the bytes, the count of code units asked for, and unpaired surrogates written.
#include "streams/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using docket::text::AppendUtf8;
using docket::text::DecodeUtf8;

std::u16string Decoded(const std::string& bytes, bool atEnd = true, std::size_t* used = nullptr) {
  std::u16string out = u">";  // what is there already stays
  const std::size_t n = DecodeUtf8(bytes, SIZE_MAX, atEnd, &out);
  if (used) *used = n;
  return out.substr(1);
}

std::string Encoded(const std::u16string& text) {
  std::string out = ">";
  AppendUtf8(text, &out);
  return out.substr(1);
}

TEST(DecodeUtf8, WellFormedTextOfEveryPlane) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"ASCII, NUL and line ends", std::string("a\0\r\n~", 5), std::u16string(u"a\0\r\n~", 5)},
      {"Latin-1", "\xC3\xA9\xC3\xBF\xC2\x80", u"\u00E9\u00FF\u0080"},
      {"two-byte edges", "\xDF\xBF", u"\u07FF"},
      {"CJK", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
      {"three-byte edges", "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", u"\u0800\uD7FF\uE000\uFFFF"},
      {"mark in the middle is a character", "a\xEF\xBB\xBF" "b", u"a\uFEFFb"},
      {"emoji as a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"four-byte edges", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
      {"a replacement character is one", "\xEF\xBF\xBD", u"\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decoded(c.bytes), c.text) << c.name;
}

TEST(DecodeUtf8, OneReplacementPerMaximalSubpart) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"truncated three-byte sequence before text", "\xE4\xB8" "A", u"\uFFFDA"},
      {"truncated three-byte sequence at the end", "x\xE4\xB8", u"x\uFFFD"},
      {"truncated four-byte sequence at the end", "\xF0\x9F\x98", u"\uFFFD"},
      {"lone continuation bytes", "\x80" "a\xBF\xBF", u"\uFFFDa\uFFFD\uFFFD"},
      {"overlong two-byte", "\xC0\xAF\xC1\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"overlong four-byte", "\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80\xF5\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"bytes that begin nothing", "\xFE\xFF", u"\uFFFD\uFFFD"},
      {"a lead byte breaks the sequence before it", "\xE4\xE4\xB8\xAD", u"\uFFFD\u4E2D"},
      // The standard's own example: a F1 80 80 E1 80 C2 62 80 63 80 BF 64.
      {"mixed", "a\xF1\x80\x80\xE1\x80\xC2" "b\x80" "c\x80\xBF" "d",
       u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decoded(c.bytes), c.text) << c.name;
}

TEST(DecodeUtf8, ACharacterCutOffWaitsForItsRestUnlessNothingFollows) {
  for (const std::string start : {"\xC3", "\xE4", "\xE4\xB8", "\xF0", "\xF0\x9F", "\xF0\x9F\x98"}) {
    std::size_t used = 99;
    EXPECT_EQ(Decoded("ab" + start, false, &used), u"ab") << start.size();
    EXPECT_EQ(used, 2u) << "the cut-off character is left for later";
  }
  std::size_t used = 0;
  EXPECT_EQ(Decoded("ab\xE4\x41", false, &used), u"ab\uFFFDA") << "already broken: no waiting";
  EXPECT_EQ(used, 4u);
  EXPECT_EQ(Decoded("ab\xE0\x80", false, &used), u"ab\uFFFD\uFFFD") << "broken at its second byte";
}

TEST(DecodeUtf8, StopsOnceTheUnitsAskedForAreMadeAndMayEndWithAWholePair) {
  std::u16string out;
  EXPECT_EQ(DecodeUtf8("abc", 2, false, &out), 2u);
  EXPECT_EQ(out, u"ab");
  out.clear();
  EXPECT_EQ(DecodeUtf8("a\xF0\x9F\x98\x80z", 2, false, &out), 5u);
  EXPECT_EQ(out, u"a\U0001F600") << "one unit more than asked, never half a pair";
  out.clear();
  EXPECT_EQ(DecodeUtf8("\xC3\xA9\xC3\xA9", 1, false, &out), 2u);
  EXPECT_EQ(DecodeUtf8("x", 0, true, &out), 0u);
  EXPECT_EQ(out, u"\u00E9");
}

TEST(AppendUtf8, WritesEveryPlaneAndReplacesUnpairedSurrogates) {
  struct Case {
    const char* name;
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {"ASCII", u"a\r\n", "a\r\n"},
      {"Latin-1, CJK, emoji", u"\u00E9\u4E2D\U0001F600", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"},
      {"edges", u"\u007F\u0080\u07FF\u0800\uFFFF\U0010FFFF",
       "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF"},
      {"high surrogate at the end", u"a\xD83D", "a\xEF\xBF\xBD"},
      {"low surrogate alone", u"\xDE00" "b", "\xEF\xBF\xBD" "b"},
      {"high before a non-surrogate", u"\xD83D" "c", "\xEF\xBF\xBD" "c"},
      {"two highs and a low", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) EXPECT_EQ(Encoded(c.text), c.bytes) << c.name;
}

// Any string of code units comes back from its UTF-8 unchanged, but for its unpaired surrogates.
TEST(AppendUtf8, RoundTripsRandomTextThroughTheDecoder) {
  std::mt19937 random(65001);
  const char16_t pool[] = {u'a',   u'\r',  u'\n',  0x00E9, 0x07FF, 0x4E2D,
                           0xFEFF, 0xFFFD, 0xD83D, 0xDE00, 0xDBFF, 0xDC00};
  for (int round = 0; round < 500; ++round) {
    std::u16string text;
    for (std::size_t k = random() % 40; k > 0; --k) text += pool[random() % std::size(pool)];
    std::u16string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF, low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
      if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        expected += text.substr(i++, 2);
      } else {
        expected += high || low ? u'\uFFFD' : text[i];
      }
    }
    ASSERT_EQ(Decoded(Encoded(text)), expected) << "round " << round;
  }
}

}  // namespace
