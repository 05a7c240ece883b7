// The text stream's reading logic against an in-memory file: line ends across reads and chunks,
// when the end of the stream becomes known, skips, and what a failure leaves behind. (Reads of
// every size with the counters after each are the fuzz target's.)
#include "streams/text_reader.h"

#include "reader_calls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using docket::text::CharSource;
using docket::text::ErrorNumber;
using docket::text::TextReader;
using reader_calls::Read;
using reader_calls::ReadLine;

constexpr ErrorNumber kInvalidHandle = 6;
constexpr ErrorNumber kNegativeSeek = 131;

// A file of characters that behaves as the real source does: a read that comes back empty marks
// it exhausted for good; moves may go past the end but not before the start.
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
    const std::int64_t target = static_cast<std::int64_t>(position_ - unread.size()) + count;
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

std::u16string Text(char16_t c, std::size_t n) { return std::u16string(n, c); }

// Each ReadLine until the end, written as "line" or "line$" when the end was known right after.
std::vector<std::u16string> LinesUntilEnd(const std::u16string& content) {
  MemorySource source(content);
  TextReader reader(source);
  std::vector<std::u16string> seen;
  while (!reader.AtEndOfStream() && seen.size() < 20) {
    seen.push_back(ReadLine(reader));
    if (reader.AtEndOfStream()) seen.back() += u"$";
  }
  return seen;
}

TEST(ReadLine, LinesAndTheMomentTheEndBecomesKnown) {
  const std::u16string a127 = Text(u'a', 127), b300 = Text(u'b', 300), c126 = Text(u'c', 126);
  struct Case {
    const char* name;
    std::u16string content;
    std::vector<std::u16string> lines;
  } cases[] = {
      {"last line still pending: the end comes with it", u"abc\r\ndef\r\n", {u"abc", u"def$"}},
      {"line end closing the read: one empty line more", u"abc\r\n", {u"abc", u"$"}},
      {"no final line end", u"abc\r\nxyz", {u"abc", u"xyz$"}},
      {"empty file", u"", {u"$"}},
      {"lone LF and CR are text", u"a\nb\rc", {u"a\nb\rc$"}},
      {"CR before CR LF stays", u"a\r\r\nb", {u"a\r", u"b$"}},
      {"NUL is text", std::u16string(u"a\0b\r\n", 5), {std::u16string(u"a\0b", 3), u"$"}},
      {"line end split by the chunk", a127 + u"\r\nbcd\r\n", {a127, u"bcd$"}},
      {"CR ending a chunk before other text", a127 + u"\rx\r\n", {a127 + u"\rx", u"$"}},
      {"CR ending the file", a127 + u"\r", {a127 + u"\r$"}},
      {"line end closing the first chunk", c126 + u"\r\n", {c126, u"$"}},
      {"lines longer than a chunk", b300 + u"\r\n" + b300, {b300, b300 + u"$"}},
  };
  for (const Case& c : cases) EXPECT_EQ(LinesUntilEnd(c.content), c.lines) << c.name;
}

TEST(Read, ALineEndSplitBetweenTwoReadsCountsOnceAndAnEmptyReadForgetsTheCr) {
  MemorySource source(u"x\r\nyz");
  TextReader reader(source);
  EXPECT_EQ(Read(reader, 2), u"x\r");
  EXPECT_EQ(reader.column(), 3);
  EXPECT_EQ(Read(reader, 2), u"\ny");
  EXPECT_EQ(reader.line(), 2);
  EXPECT_EQ(reader.column(), 2);

  MemorySource other(u"a\r\n");
  TextReader forgetting(other);
  Read(forgetting, 2);
  EXPECT_EQ(Read(forgetting, 0), u"");
  Read(forgetting, 1);
  EXPECT_EQ(forgetting.line(), 1) << "the empty read in between ended with no CR";
  EXPECT_EQ(other.reads, 2) << "a count of 0 never reaches the file";
}

TEST(AtEndOfLine, LooksAheadWithoutMovingAndTakesAnUnreadableFileAsALineEnd) {
  MemorySource source(u"\r\nab\r\nc");
  TextReader reader(source);
  EXPECT_TRUE(reader.AtEndOfLine());
  EXPECT_EQ(Read(reader, 2), u"\r\n") << "the same two characters come next";
  EXPECT_FALSE(reader.AtEndOfLine());
  EXPECT_EQ(ReadLine(reader), u"ab");  // "c" is pending
  source.failWith = kInvalidHandle;
  EXPECT_TRUE(reader.AtEndOfLine());
  EXPECT_EQ(Read(reader, 1), u"c") << "the failed look kept the pending text";
  source.failWith = 0;
  EXPECT_TRUE(reader.AtEndOfLine()) << "nothing left";
}

TEST(Skip, ForwardThroughThePendingTextAndBackFromThePositionReached) {
  const std::u16string content = u"first\r\nabcdef" + Text(u'x', 200) + u"yz";
  MemorySource source(content), again(content);
  TextReader reader(source), forward(again);
  ReadLine(reader);  // the rest of the first chunk is pending
  EXPECT_EQ(reader.Skip(3), 0u);
  EXPECT_EQ(Read(reader, 2), u"de");
  EXPECT_EQ(reader.Skip(-3), 0u);
  EXPECT_EQ(Read(reader, 3), u"cde") << "back over text returned and text still pending";
  EXPECT_EQ(reader.line(), 2) << "Skip changes no counter";
  EXPECT_EQ(reader.Skip(-1000), kNegativeSeek);
  ReadLine(forward);
  EXPECT_EQ(forward.Skip(6 + 200), 0u) << "through the pending text into the file";
  EXPECT_EQ(Read(forward, 5), u"yz");
}

TEST(Skip, WithinThePendingTextNeedsNoFileAndAMoveThatFailsKeepsIt) {
  MemorySource source(u"ab\r\ncdef");
  TextReader reader(source);
  ReadLine(reader);
  source.failWith = kInvalidHandle;  // as after Close
  EXPECT_EQ(reader.Skip(2), 0u);
  EXPECT_EQ(reader.Skip(3), kInvalidHandle) << "one more than is pending needs the file";
  EXPECT_EQ(reader.Skip(-1), kInvalidHandle);
  EXPECT_EQ(Read(reader, 2), u"ef");
}

TEST(ReadErrors, ALineInTheMakingIsLostButThePendingTextIsKept) {
  MemorySource source(u"ab\r\n" + Text(u'q', 200));
  TextReader reader(source);
  ReadLine(reader);  // 124 q pending
  source.failWith = kInvalidHandle;
  std::u16string text = u"untouched";
  EXPECT_EQ(reader.ReadLine(&text), kInvalidHandle);
  EXPECT_EQ(text, u"");
  EXPECT_EQ(reader.line(), 2) << "a failed line is not counted";
  text = u"untouched";
  EXPECT_EQ(reader.ReadAll(&text), kInvalidHandle);
  EXPECT_EQ(text, u"");
  EXPECT_EQ(Read(reader, 124), Text(u'q', 124));
}

}  // namespace
