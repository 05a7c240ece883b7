// UTF-8 both ways: one U+FFFD per maximal subpart of ill-formed input, the count of code units
// asked for, and unpaired surrogates written. Well-formed text of every plane both ways is the
// fuzz target's, against the C library's converter.
#include "streams/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using docket::text::DecodeUtf8;

// What is in the output already stays: both append.
std::u16string Decoded(const std::string& bytes) {
  std::u16string out = u">";
  EXPECT_EQ(DecodeUtf8(bytes, SIZE_MAX, true, &out), bytes.size());
  return out.substr(1);
}

TEST(DecodeUtf8, OneReplacementPerMaximalSubpart) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"truncated sequence before text", "\xE4\xB8" "A", u"\uFFFDA"},
      {"truncated sequence at the end", "x\xF0\x9F\x98", u"x\uFFFD"},
      {"lone continuation bytes", "\x80" "a\xBF\xBF", u"\uFFFDa\uFFFD\uFFFD"},
      {"overlong forms", "\xC0\xAF\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF, bytes that begin nothing", "\xF4\x90\x80\xF5\xFF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"a lead byte breaks the sequence before it", "\xE4\xE4\xB8\xAD", u"\uFFFD\u4E2D"},
      // The standard's own example: a F1 80 80 E1 80 C2 62 80 63 80 BF 64.
      {"mixed", "a\xF1\x80\x80\xE1\x80\xC2" "b\x80" "c\x80\xBF" "d",
       u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decoded(c.bytes), c.text) << c.name;
}

// Waiting for the rest of a cut-off character, and never returning half a pair, are the fuzz
// target's (decoding in pieces); a sequence that is broken already is not waited for.
TEST(DecodeUtf8, ABrokenSequenceIsNotWaitedForAndNoUnitsAskedReadsNothing) {
  std::u16string out;
  EXPECT_EQ(DecodeUtf8("ab\xE0\x80", SIZE_MAX, false, &out), 4u);
  EXPECT_EQ(out, u"ab\uFFFD\uFFFD");
  EXPECT_EQ(DecodeUtf8("\xC3\xA9\xC3\xA9", 1, false, &out), 2u);
  EXPECT_EQ(DecodeUtf8("x", 0, true, &out), 0u);
}

TEST(AppendUtf8, ReplacesUnpairedSurrogates) {
  const struct {
    const char* name;
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {"high surrogate at the end", u"a\xD83D", "a\xEF\xBF\xBD"},
      {"low surrogate alone", u"\xDE00" "b", "\xEF\xBF\xBD" "b"},
      {"high before a non-surrogate", u"\xD83D" "c", "\xEF\xBF\xBD" "c"},
      {"two highs and a low", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const auto& c : cases) {
    std::string out = ">";
    docket::text::AppendUtf8(c.text, &out);
    EXPECT_EQ(out, ">" + c.bytes) << c.name;
  }
}

}  // namespace
