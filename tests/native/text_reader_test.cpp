// The text stream's reading logic against an in-memory file: line ends across reads and chunks,
// when the end of the stream becomes known, the counters, and what a failure leaves behind.
#include "streams/text_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using docket::text::CharSource;
using docket::text::ErrorNumber;
using docket::text::kChunkChars;
using docket::text::TextReader;

constexpr ErrorNumber kInvalidHandle = 6;
constexpr ErrorNumber kNegativeSeek = 131;

// A file of characters that behaves as the real source does: a read that comes back empty marks
// the file exhausted for good; moves may go past the end but not before the start.
class MemorySource final : public CharSource {
 public:
  explicit MemorySource(std::u16string content) : content_(std::move(content)) {}

  ErrorNumber ReadChars(std::size_t count, std::u16string* out) override {
    ++reads;
    if (failWith) return failWith;
    const std::size_t at = std::min(position_, content_.size());
    const std::size_t n = std::min(count, content_.size() - at);
    out->append(content_, at, n);
    position_ = at + n;
    if (n == 0) exhausted_ = true;
    return 0;
  }
  bool Exhausted() const override { return exhausted_; }
  ErrorNumber MoveBy(std::int64_t count, std::u16string_view unread) override {
    if (failWith) return failWith;
    const std::int64_t target = static_cast<std::int64_t>(position_) -
                                static_cast<std::int64_t>(unread.size()) + count;
    if (target < 0) return kNegativeSeek;
    position_ = static_cast<std::size_t>(target);
    return 0;
  }

  int reads = 0;
  ErrorNumber failWith = 0;

 private:
  std::u16string content_;
  std::size_t position_ = 0;
  bool exhausted_ = false;
};

std::u16string Repeat(char16_t c, std::size_t n) { return std::u16string(n, c); }

std::u16string ReadLine(TextReader& reader) {
  std::u16string line;
  EXPECT_EQ(reader.ReadLine(&line), 0u);
  return line;
}

std::u16string Read(TextReader& reader, std::size_t n) {
  std::u16string text;
  EXPECT_EQ(reader.Read(n, &text), 0u);
  return text;
}

// --- ReadLine and the end of the stream -----------------------------------------------------

TEST(ReadLine, EndIsKnownRightAfterALastLineThatWasStillPending) {
  MemorySource source(u"abc\r\ndef\r\n");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), u"abc");
  EXPECT_FALSE(reader.AtEndOfStream());
  EXPECT_EQ(ReadLine(reader), u"def");
  EXPECT_TRUE(reader.AtEndOfStream()) << "the take that returned def also found the end";
  EXPECT_EQ(reader.line(), 3);
}

TEST(ReadLine, ALineEndThatClosedTheChunkLeavesOneEmptyLineBeforeTheEnd) {
  MemorySource source(u"abc\r\n");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), u"abc");
  EXPECT_FALSE(reader.AtEndOfStream());
  EXPECT_EQ(ReadLine(reader), u"");
  EXPECT_TRUE(reader.AtEndOfStream());
  EXPECT_EQ(reader.line(), 3);
}

TEST(ReadLine, LastLineWithoutLineEndAndReadsPastTheEnd) {
  MemorySource source(u"abc\r\nxyz");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), u"abc");
  EXPECT_EQ(ReadLine(reader), u"xyz");
  EXPECT_TRUE(reader.AtEndOfStream());
  EXPECT_EQ(ReadLine(reader), u"") << "nothing left still counts a line";
  EXPECT_EQ(reader.line(), 4);
  EXPECT_EQ(reader.column(), 1);
}

TEST(ReadLine, EmptyFileIsNotAtItsEndBeforeTheFirstRead) {
  MemorySource source(u"");
  TextReader reader(source);
  EXPECT_FALSE(reader.AtEndOfStream());
  EXPECT_EQ(ReadLine(reader), u"");
  EXPECT_TRUE(reader.AtEndOfStream());
}

TEST(ReadLine, LoneCrAndLfAreOrdinaryCharacters) {
  MemorySource source(u"a\nb\rc");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), u"a\nb\rc");
  EXPECT_EQ(reader.line(), 2);
  MemorySource crcrlf(u"a\r\r\nb\n\r\n");
  TextReader second(crcrlf);
  EXPECT_EQ(ReadLine(second), u"a\r");
  EXPECT_EQ(ReadLine(second), u"b\n");
}

TEST(ReadLine, NulIsAnOrdinaryCharacter) {
  MemorySource source(std::u16string(u"a\0b\r\n\0", 6));
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), std::u16string(u"a\0b", 3));
  EXPECT_EQ(ReadLine(reader), std::u16string(u"\0", 1));
}

// --- The 128-character chunk ------------------------------------------------------------------

TEST(ReadLine, LinesLongerThanAChunkComeBackWhole) {
  const std::u16string longLine = Repeat(u'x', 3 * kChunkChars + 5);
  MemorySource source(longLine + u"\r\nnext");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), longLine);
  EXPECT_EQ(ReadLine(reader), u"next");
}

TEST(ReadLine, LineEndSplitAcrossTheChunkBoundaryEndsTheLineThere) {
  // CR is the chunk's last character and LF the next chunk's first.
  const std::u16string first = Repeat(u'a', kChunkChars - 1);
  MemorySource source(first + u"\r\nbcd\r\n");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), first);
  EXPECT_EQ(ReadLine(reader), u"bcd");
  EXPECT_EQ(reader.line(), 3);
}

TEST(ReadLine, ChunkEndingInCrFollowedByOtherTextKeepsTheCr) {
  const std::u16string first = Repeat(u'a', kChunkChars - 1) + u"\r";
  MemorySource source(first + u"x\r\n");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), first + u"x");
}

TEST(ReadLine, ACrThatEndsTheFileStaysInTheLine) {
  MemorySource source(Repeat(u'a', kChunkChars - 1) + u"\r");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), Repeat(u'a', kChunkChars - 1) + u"\r");
  EXPECT_TRUE(reader.AtEndOfStream());
}

TEST(ReadLine, LineEndClosingTheFirstChunkExactly) {
  const std::u16string first = Repeat(u'a', kChunkChars - 2);
  MemorySource source(first + u"\r\n");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), first);
  EXPECT_FALSE(reader.AtEndOfStream()) << "nothing read has come back empty yet";
  EXPECT_EQ(ReadLine(reader), u"");
  EXPECT_TRUE(reader.AtEndOfStream());
}

TEST(ReadLine, EveryLineTakesAtLeastOneChunkFromTheFile) {
  MemorySource source(u"a\r\nb\r\nc\r\n");
  TextReader reader(source);
  ReadLine(reader);
  ReadLine(reader);
  EXPECT_EQ(source.reads, 2) << "pending text shorter than a chunk is topped up from the file";
}

// Whatever the line lengths around the chunk size, the lines put back together with CR LF give
// the file (less a final CR LF when the end was found right after the last line).
TEST(ReadLine, RandomLineLengthsAroundTheChunkSizeReassembleTheFile) {
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    std::u16string content;
    const int lineCount = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < lineCount; ++i) {
      const std::size_t length = random() % (2 * kChunkChars + 4);
      for (std::size_t k = 0; k < length; ++k) {
        const unsigned pick = random() % 10;
        content += pick == 0 ? u'\r' : pick == 1 ? u'\n' : static_cast<char16_t>(u'a' + pick);
      }
      if (i + 1 < lineCount || random() % 2) content += u"\r\n";
    }
    MemorySource source(content);
    TextReader reader(source);
    std::vector<std::u16string> lines;
    while (!reader.AtEndOfStream() && lines.size() < 100) lines.push_back(ReadLine(reader));
    std::u16string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? u"\r\n" : u"") + lines[i];
    EXPECT_TRUE(joined == content || joined + u"\r\n" == content) << "round " << round;
    EXPECT_EQ(reader.line(), static_cast<int>(lines.size()) + 1) << "round " << round;
  }
}

// --- Read and the counters --------------------------------------------------------------------

TEST(Read, LineEndSplitBetweenTwoReadsCountsOnce) {
  MemorySource source(u"x\r\nyz");
  TextReader reader(source);
  EXPECT_EQ(Read(reader, 2), u"x\r");
  EXPECT_EQ(reader.column(), 3);
  EXPECT_EQ(reader.line(), 1);
  EXPECT_EQ(Read(reader, 2), u"\ny");
  EXPECT_EQ(reader.line(), 2);
  EXPECT_EQ(reader.column(), 2);
}

TEST(Read, ColumnCountsFromTheLastLineEndOfTheText) {
  MemorySource source(u"ab\r\ncd\r\nefg");
  TextReader reader(source);
  EXPECT_EQ(Read(reader, 10), u"ab\r\ncd\r\nef");
  EXPECT_EQ(reader.line(), 3);
  EXPECT_EQ(reader.column(), 3);
  EXPECT_EQ(Read(reader, 5), u"g");
  EXPECT_EQ(reader.column(), 4);
}

TEST(Read, AnLfIsALineEndOnlyRightAfterAReadThatEndedInCr) {
  MemorySource source(u"a\r\n\nb");
  TextReader reader(source);
  Read(reader, 2);
  Read(reader, 1);  // the LF completes the line end
  EXPECT_EQ(reader.line(), 2);
  Read(reader, 1);  // the second LF is ordinary
  EXPECT_EQ(reader.line(), 2);
  EXPECT_EQ(reader.column(), 2);
}

TEST(Read, AnEmptyReadForgetsTheCrAndAReadLineKeepsIt) {
  MemorySource source(u"a\r");
  TextReader reader(source);
  Read(reader, 2);
  Read(reader, 1);  // the end: nothing comes back
  EXPECT_EQ(reader.line(), 1);

  MemorySource second(u"a\rb\r\n\nc");
  TextReader other(second);
  Read(other, 2);                      // "a\r": CR seen
  EXPECT_EQ(ReadLine(other), u"b");    // counts its own line, leaves CR seen alone
  EXPECT_EQ(other.line(), 2);
  EXPECT_EQ(Read(other, 1), u"\n");    // taken as the second half of the earlier CR
  EXPECT_EQ(other.line(), 3);
}

TEST(Read, CountOfZeroReturnsNothingWithoutTouchingTheFile) {
  MemorySource source(u"abc");
  TextReader reader(source);
  EXPECT_EQ(Read(reader, 0), u"");
  EXPECT_EQ(source.reads, 0);
  EXPECT_FALSE(reader.AtEndOfStream());
  EXPECT_EQ(reader.column(), 1);
}

// Reads of random sizes, with looks at the end of the line in between, give the file back in
// order, and Line and Column always describe the position reached.
TEST(Read, RandomReadSizesKeepTextAndCountersInStep) {
  std::mt19937 random(777);
  for (int round = 0; round < 200; ++round) {
    std::u16string content;
    const std::size_t length = random() % 400;
    for (std::size_t k = 0; k < length; ++k) {
      const unsigned pick = random() % 6;
      content += pick == 0 ? u'\r' : pick == 1 ? u'\n' : u'x';
    }
    MemorySource source(content);
    TextReader reader(source);
    std::u16string consumed;
    while (!reader.AtEndOfStream()) {
      if (random() % 3 == 0) reader.AtEndOfLine();
      consumed += Read(reader, 1 + random() % 7);  // an empty read would forget a CR
      const std::size_t lastEnd = consumed.rfind(u"\r\n");
      std::int32_t lines = 1;
      for (std::size_t at = consumed.find(u"\r\n"); at != consumed.npos; at = consumed.find(u"\r\n", at + 2))
        ++lines;
      ASSERT_EQ(reader.line(), lines) << "round " << round << " after " << consumed.size();
      const std::size_t column = 1 + consumed.size() - (lastEnd == consumed.npos ? 0 : lastEnd + 2);
      ASSERT_EQ(reader.column(), static_cast<std::int32_t>(column)) << "round " << round;
    }
    EXPECT_EQ(consumed, content) << "round " << round;
  }
}

// --- AtEndOfLine --------------------------------------------------------------------------------

TEST(AtEndOfLine, LooksAheadWithoutMoving) {
  MemorySource source(u"\r\nab");
  TextReader reader(source);
  EXPECT_TRUE(reader.AtEndOfLine());
  EXPECT_EQ(Read(reader, 2), u"\r\n") << "the same two characters come next";
  EXPECT_FALSE(reader.AtEndOfLine());
  EXPECT_EQ(reader.line(), 2);
  EXPECT_EQ(Read(reader, 1), u"a");
  EXPECT_FALSE(reader.AtEndOfLine()) << "one character left is not a line end";
  EXPECT_EQ(Read(reader, 1), u"b");
  EXPECT_TRUE(reader.AtEndOfLine()) << "nothing left";
  EXPECT_EQ(reader.column(), 3);
}

TEST(AtEndOfLine, FailedReadCountsAsLineEndAndKeepsThePendingText) {
  MemorySource source(u"ab\r\nc");
  TextReader reader(source);
  EXPECT_EQ(ReadLine(reader), u"ab");  // "c" is pending
  source.failWith = kInvalidHandle;
  EXPECT_TRUE(reader.AtEndOfLine());
  std::u16string text;
  EXPECT_EQ(reader.Read(1, &text), 0u) << "pending text serves a read after a failed look";
  EXPECT_EQ(text, u"c");
}

// --- Skip ---------------------------------------------------------------------------------------

TEST(Skip, AfterReadLineSkipsIntoTheNextLine) {
  MemorySource source(u"first\r\nabcdef\r\n");
  TextReader reader(source);
  ReadLine(reader);
  EXPECT_EQ(reader.Skip(3), 0u);
  EXPECT_EQ(ReadLine(reader), u"def");
}

TEST(Skip, PastThePendingTextContinuesInTheFile) {
  MemorySource source(u"ab\r\ncd" + Repeat(u'x', 200) + u"yz");
  TextReader reader(source);
  ReadLine(reader);  // pending: cd and 122 x
  EXPECT_EQ(reader.Skip(2 + 200), 0u);
  EXPECT_EQ(Read(reader, 5), u"yz");
  EXPECT_EQ(reader.line(), 2) << "Skip changes no counter";
  EXPECT_EQ(reader.column(), 3) << "Read of yz after ReadLine";
}

TEST(Skip, BackwardsStartsFromTheCallersPosition) {
  MemorySource source(u"abc\r\ndefgh");
  TextReader reader(source);
  ReadLine(reader);  // pending: defgh
  EXPECT_EQ(Read(reader, 2), u"de");
  EXPECT_EQ(reader.Skip(-3), 0u);
  EXPECT_EQ(Read(reader, 4), u"\nde" u"f");
}

TEST(Skip, BackwardsBeforeTheStartFailsAndKeepsThePendingText) {
  MemorySource source(u"ab\r\ncd");
  TextReader reader(source);
  ReadLine(reader);
  EXPECT_EQ(reader.Skip(-10), kNegativeSeek);
  EXPECT_EQ(Read(reader, 2), u"cd");
}

TEST(Skip, WithinThePendingTextNeedsNoFile) {
  MemorySource source(u"ab\r\ncdef");
  TextReader reader(source);
  ReadLine(reader);
  source.failWith = kInvalidHandle;  // as after Close
  EXPECT_EQ(reader.Skip(2), 0u);
  EXPECT_EQ(reader.Skip(0), 0u);
  EXPECT_EQ(reader.Skip(3), kInvalidHandle) << "one more than is pending needs the file";
}

// --- ReadAll and failures -------------------------------------------------------------------------

TEST(ReadAll, ReturnsTheRestAndLeavesTheCounters) {
  const std::u16string content = Repeat(u'z', 300);
  MemorySource source(content);
  TextReader reader(source);
  std::u16string all;
  EXPECT_EQ(reader.ReadAll(&all), 0u);
  EXPECT_EQ(all, content);
  EXPECT_EQ(reader.line(), 1);
  EXPECT_EQ(reader.column(), 1);
  EXPECT_TRUE(reader.AtEndOfStream());

  MemorySource partly(u"ab\r\ncd\r\nef");
  TextReader second(partly);
  ReadLine(second);
  EXPECT_EQ(second.ReadAll(&all), 0u);
  EXPECT_EQ(all, u"cd\r\nef");
}

TEST(Failures, AFailedReadLineLosesTheLineButAFailedTakeKeepsThePendingText) {
  MemorySource source(u"ab\r\n" + Repeat(u'q', 200));
  TextReader reader(source);
  ReadLine(reader);  // 124 q pending
  source.failWith = kInvalidHandle;
  std::u16string line = u"untouched";
  EXPECT_EQ(reader.ReadLine(&line), kInvalidHandle);
  EXPECT_EQ(line, u"");
  EXPECT_EQ(reader.line(), 2) << "a failed line is not counted";
  std::u16string all = u"untouched";
  EXPECT_EQ(reader.ReadAll(&all), kInvalidHandle);
  EXPECT_EQ(all, u"");
  EXPECT_EQ(Read(reader, 124), Repeat(u'q', 124));
}

}  // namespace
