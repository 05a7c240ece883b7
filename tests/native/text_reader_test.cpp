// The text stream's reading logic: when the end of the stream becomes known, and what a failure
// leaves behind. (Reads and skips of every size with the counters after each are the fuzz target's.)
#include "streams/text_reader.h"

#include "memory_sources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using docket::text::TextReader;
using memory_sources::Chars;
using memory_sources::Read;
using memory_sources::ReadLine;

constexpr docket::text::ErrorNumber kInvalidHandle = 6;

// Each ReadLine until the end, written as "line" or "line$" when the end was known right after.
std::vector<std::u16string> LinesUntilEnd(const std::u16string& content) {
  Chars source(content);
  TextReader reader(source);
  std::vector<std::u16string> seen;
  while (!reader.AtEndOfStream() && seen.size() < 20) {
    seen.push_back(ReadLine(reader));
    if (reader.AtEndOfStream()) seen.back() += u"$";
  }
  return seen;
}

// What lines hold is the fuzz target's; here, when the end is known, also at the chunk's edges.
TEST(ReadLine, LinesAndTheMomentTheEndBecomesKnown) {
  const std::u16string a127(127, u'a'), c126(126, u'c');
  const std::pair<std::u16string, std::vector<std::u16string>> cases[] = {
      {u"abc\r\ndef\r\n", {u"abc", u"def$"}},  // last line still pending: the end comes with it
      {u"abc\r\n", {u"abc", u"$"}},            // line end closing the read: one empty line more
      {u"abc\r\nxyz", {u"abc", u"xyz$"}},
      {u"", {u"$"}},
      {a127 + u"\r\nbcd\r\n", {a127, u"bcd$"}},  // line end split by the chunk
      {a127 + u"\rx\r\n", {a127 + u"\rx", u"$"}},
      {a127 + u"\r", {a127 + u"\r$"}},
      {c126 + u"\r\n", {c126, u"$"}},  // line end closing the first chunk
  };
  for (const auto& [content, lines] : cases) EXPECT_EQ(LinesUntilEnd(content), lines) << content.size();
}

TEST(Read, AnEmptyReadForgetsTheCrAndNeverReachesTheFile) {
  Chars source(u"a\r\n");
  TextReader reader(source);
  Read(reader, 2);
  EXPECT_EQ(Read(reader, 0), u"");
  Read(reader, 1);
  EXPECT_EQ(reader.line(), 1) << "the empty read in between ended with no CR";
  EXPECT_EQ(source.reads, 2);
}

TEST(AtEndOfLine, LooksAheadWithoutMovingAndTakesAnUnreadableFileAsALineEnd) {
  Chars source(u"\r\nab\r\nc");
  TextReader reader(source);
  EXPECT_TRUE(reader.AtEndOfLine());
  EXPECT_EQ(Read(reader, 2), u"\r\n") << "the same two characters come next";
  EXPECT_EQ(ReadLine(reader), u"ab");  // "c" is pending
  source.failWith = kInvalidHandle;
  EXPECT_TRUE(reader.AtEndOfLine());
  EXPECT_EQ(Read(reader, 1), u"c") << "the failed look kept the pending text";
  source.failWith = 0;
  EXPECT_TRUE(reader.AtEndOfLine()) << "nothing left";
}

TEST(Skip, WithinThePendingTextNeedsNoFileAndAMoveThatFailsKeepsIt) {
  Chars source(u"ab\r\ncdef");
  TextReader reader(source);
  ReadLine(reader);
  source.failWith = kInvalidHandle;  // as after Close
  EXPECT_EQ(reader.Skip(2), 0u);
  EXPECT_EQ(reader.Skip(3), kInvalidHandle) << "one more than is pending needs the file";
  EXPECT_EQ(reader.Skip(-1), kInvalidHandle);
  EXPECT_EQ(Read(reader, 2), u"ef");
}

TEST(ReadErrors, ALineInTheMakingIsLostButThePendingTextIsKept) {
  Chars source(u"ab\r\n" + std::u16string(300, u'q'));
  TextReader reader(source);
  ReadLine(reader);  // 124 q pending
  source.failWith = kInvalidHandle;
  std::u16string line = u"untouched", all = u"untouched";
  EXPECT_EQ(reader.ReadLine(&line), kInvalidHandle);
  EXPECT_EQ(reader.ReadAll(&all), kInvalidHandle);
  EXPECT_EQ(line + all, u"");
  EXPECT_EQ(reader.line(), 2) << "a failed line is not counted";
  EXPECT_EQ(Read(reader, 124), std::u16string(124, u'q'));
  source.okReads = source.reads + 1;  // a chunk of the line comes, then the read fails
  EXPECT_EQ(reader.ReadLine(&line), kInvalidHandle);
  EXPECT_EQ(line, u"") << "the part collected is lost with the failure";
}

}  // namespace
