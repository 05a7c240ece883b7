// Text of variable width read through the stream's reading logic: no character is broken where a
// chunk, a read or the read-ahead buffer ends, counts are in UTF-16 code units, and a failure
// loses nothing. (Double-byte code pages go through the same source; they are tested on a real
// code page under Wine.)
#include "streams/decoding_char_source.h"
#include "streams/text_reader.h"
#include "streams/utf8.h"

#include "reader_calls.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using docket::text::DecodingCharSource;
using docket::text::ErrorNumber;
using docket::text::kChunkChars;
using docket::text::TextReader;
using reader_calls::Read;
using reader_calls::ReadLine;

constexpr ErrorNumber kReadFault = 30;

// A file seen through a read-ahead buffer of `capacity` bytes: a Peek shows what the buffer holds,
// topped up (after moving the unused bytes to its front) when it holds fewer than asked for.
class MemoryWindow final : public docket::text::ByteWindow {
 public:
  MemoryWindow(std::string content, std::size_t capacity)
      : content_(std::move(content)), capacity_(capacity) {}

  ErrorNumber Peek(std::size_t want, std::string_view* bytes) override {
    if (peeksBeforeFailure-- == 0) return kReadFault;
    if (end_ - begin_ < want) end_ = std::min(content_.size(), begin_ + std::max(want, capacity_));
    *bytes = std::string_view(content_).substr(begin_, end_ - begin_);
    return 0;
  }
  void Consume(std::size_t count) override { begin_ += count; }
  void MarkEnd() override { exhausted_ = true; }
  bool Exhausted() const override { return exhausted_; }

  int peeksBeforeFailure = -1;  // the Peek after this many fails; never when negative

 private:
  std::string content_;
  std::size_t capacity_;
  std::size_t begin_ = 0, end_ = 0;
  bool exhausted_ = false;
};

struct Utf8 final : docket::text::Decoder {
  std::size_t Decode(std::string_view bytes, std::size_t units, bool atEnd, std::u16string* out) override {
    return docket::text::DecodeUtf8(bytes, units, atEnd, out);
  }
};

struct Stream {
  Stream(std::string content, std::size_t capacity, docket::text::Decoder& decoder)
      : window(std::move(content), capacity), source(window, decoder), reader(source) {}
  MemoryWindow window;
  DecodingCharSource source;
  TextReader reader;
};

// Every character of every width, at every offset around the 128-unit chunk, through read-ahead
// buffers of odd sizes: each line comes back whole.
TEST(DecodingCharSource, NoCharacterIsBrokenWhereAChunkOrTheReadAheadEnds) {
  Utf8 utf8;
  const struct {
    std::string bytes;
    std::u16string text;
  } characters[] = {
      {"\xC3\xA9", u"\u00E9"}, {"\xE4\xB8\xAD", u"\u4E2D"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}};
  for (const auto& c : characters) {
    for (std::size_t before = kChunkChars - 4; before <= kChunkChars + 1; ++before) {
      for (std::size_t capacity : {1u, 2u, 3u, 5u, 64u, 131u, 4096u}) {
        const std::string a(before, 'a');
        Stream s(a + c.bytes + "z\r\n" + c.bytes, capacity, utf8);
        const std::u16string first(a.begin(), a.end());
        ASSERT_EQ(ReadLine(s.reader), first + c.text + u"z")
            << c.bytes.size() << " at " << before << "/" << capacity;
        ASSERT_EQ(ReadLine(s.reader), c.text);
        ASSERT_TRUE(s.reader.AtEndOfStream());
        std::u16string all;
        Stream again(a + c.bytes + c.bytes, capacity, utf8);
        ASSERT_EQ(again.reader.ReadAll(&all), 0u);
        ASSERT_EQ(all, first + c.text + c.text) << "ReadAll " << before << "/" << capacity;
      }
    }
  }
}

TEST(DecodingCharSource, OnlyAReadThatFindsNothingMarksTheEndAsInAUnicodeFile) {
  Utf8 utf8;
  Stream s("\xC3\xA9\r\n", 64, utf8);
  EXPECT_EQ(ReadLine(s.reader), u"\u00E9");
  EXPECT_FALSE(s.reader.AtEndOfStream()) << "the read found the line, then nothing more";
  EXPECT_EQ(ReadLine(s.reader), u"");
  EXPECT_TRUE(s.reader.AtEndOfStream());
}

TEST(DecodingCharSource, ReadSkipLineAndColumnCountCodeUnits) {
  Utf8 utf8;
  // é, 中, 😀 (two units), x, CR LF, y
  Stream s("\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80x\r\ny", 4, utf8);
  EXPECT_EQ(Read(s.reader, 3), u"\u00E9\u4E2D\xD83D") << "a count may end inside a pair";
  EXPECT_EQ(s.reader.column(), 4);
  EXPECT_EQ(Read(s.reader, 1), u"\xDE00") << "its second half comes next";
  EXPECT_EQ(s.reader.Skip(1), 0u);
  EXPECT_EQ(Read(s.reader, 3), u"\r\ny");
  EXPECT_EQ(s.reader.line(), 2);
  EXPECT_EQ(s.reader.column(), 2);

  Stream skipping("\xF0\x9F\x98\x80\xC3\xA9!", 3, utf8);
  EXPECT_EQ(skipping.reader.Skip(1), 0u) << "into the pair: the second half is held";
  EXPECT_FALSE(skipping.reader.AtEndOfStream());
  EXPECT_EQ(Read(skipping.reader, 2), u"\xDE00\u00E9");
  EXPECT_EQ(skipping.reader.Skip(-1), docket::text::kInvalidParameter) << "no counting backwards";
  EXPECT_EQ(Read(skipping.reader, 1), u"!") << "the refused move kept the position";
  EXPECT_EQ(skipping.reader.Skip(5), 0u) << "past the end is no failure";
  EXPECT_TRUE(skipping.reader.AtEndOfStream());
}

TEST(DecodingCharSource, AFailedReadLosesNothingDecodedBeforeIt) {
  Utf8 utf8;
  Stream s("ab\xE4\xB8\xAD" "cdef", 4, utf8);  // the first window cuts the CJK character
  s.window.peeksBeforeFailure = 1;
  std::u16string text = u"kept";
  EXPECT_EQ(s.source.ReadChars(6, &text), kReadFault) << "topping up the cut character fails";
  EXPECT_EQ(text, u"kept") << "nothing appended";
  EXPECT_EQ(s.source.ReadChars(6, &text), 0u);
  EXPECT_EQ(text, u"keptab\u4E2Dcde") << "the two letters decoded before the failure come first";
}

}  // namespace
