// Text of variable width through the stream's reading logic: no character is broken where a chunk,
// a read or the read-ahead buffer ends, counts are in UTF-16 code units, and a failure loses
// nothing. (Double-byte code pages take the same source; they are tested on a real one under Wine.)
#include "streams/decoding_char_source.h"
#include "streams/text_reader.h"
#include "streams/utf8.h"

#include "memory_sources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace docket::text;
using memory_sources::Read;
using memory_sources::ReadLine;

constexpr ErrorNumber kReadFault = 30;

// UTF-8 from memory through a read-ahead buffer of `capacity` bytes: a Peek shows what the buffer
// holds, topped up (after moving the unused bytes to its front) when it holds fewer than asked for.
struct Stream final : ByteWindow, Decoder {
  Stream(std::string content, std::size_t capacity) : content(std::move(content)), capacity(capacity) {}
  ErrorNumber Peek(std::size_t want, std::string_view* bytes) override {
    if (peeksBeforeFailure-- == 0) return kReadFault;
    if (end - begin < want) end = std::min(content.size(), begin + std::max(want, capacity));
    *bytes = std::string_view(content).substr(begin, end - begin);
    return 0;
  }
  void Consume(std::size_t count) override { begin += count; }
  void MarkEnd() override { exhausted = true; }
  bool Exhausted() const override { return exhausted; }
  std::size_t Decode(std::string_view bytes, std::size_t units, bool atEnd, std::u16string* out) override {
    return DecodeUtf8(bytes, units, atEnd, out);
  }
  std::string content;
  std::size_t capacity, begin = 0, end = 0;
  bool exhausted = false;
  int peeksBeforeFailure = -1;  // the Peek after this many fails; never when negative
  DecodingCharSource source{*this, *this};
  TextReader reader{source};
};

// Every character of every width, at every offset around the 128-unit chunk, through read-ahead
// buffers of odd sizes: each line comes back whole.
TEST(DecodingCharSource, NoCharacterIsBrokenWhereAChunkOrTheReadAheadEnds) {
  const std::pair<std::string, std::u16string> characters[] = {
      {"\xC3\xA9", u"\u00E9"}, {"\xE4\xB8\xAD", u"\u4E2D"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}};
  for (const auto& [bytes, text] : characters) {
    for (std::size_t before = kChunkChars - 4; before <= kChunkChars + 1; ++before) {
      for (std::size_t capacity : {1u, 2u, 3u, 5u, 64u, 131u, 4096u}) {
        const std::string a(before, 'a');
        const std::u16string first(a.begin(), a.end());
        Stream s(a + bytes + "z\r\n" + bytes, capacity), again(a + bytes + bytes, capacity);
        ASSERT_EQ(ReadLine(s.reader), first + text + u"z") << bytes.size() << " at " << before << "/" << capacity;
        ASSERT_EQ(ReadLine(s.reader), text);
        ASSERT_TRUE(s.reader.AtEndOfStream());
        std::u16string all;
        ASSERT_EQ(again.reader.ReadAll(&all), 0u);
        ASSERT_EQ(all, first + text + text) << "ReadAll " << before << "/" << capacity;
      }
    }
  }
}

TEST(DecodingCharSource, OnlyAReadThatFindsNothingMarksTheEndAsInAUnicodeFile) {
  Stream s("\xC3\xA9\r\n", 64);
  EXPECT_EQ(ReadLine(s.reader), u"\u00E9");
  EXPECT_FALSE(s.reader.AtEndOfStream()) << "the read found the line, then nothing more";
  EXPECT_EQ(ReadLine(s.reader), u"");
  EXPECT_TRUE(s.reader.AtEndOfStream());
}

TEST(DecodingCharSource, ReadSkipLineAndColumnCountCodeUnits) {
  Stream s("\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80x\r\ny", 4);  // é, 中, 😀 (two units), x, CR LF, y
  EXPECT_EQ(Read(s.reader, 3), u"\u00E9\u4E2D\xD83D") << "a count may end inside a pair";
  EXPECT_EQ(s.reader.column(), 4);
  EXPECT_EQ(Read(s.reader, 1), u"\xDE00") << "its second half comes next";
  EXPECT_EQ(s.reader.Skip(1), 0u);
  EXPECT_EQ(Read(s.reader, 3), u"\r\ny");
  EXPECT_EQ(s.reader.line(), 2);
  EXPECT_EQ(s.reader.column(), 2);

  Stream skipping("\xF0\x9F\x98\x80\xC3\xA9!", 3);
  EXPECT_EQ(skipping.reader.Skip(1), 0u) << "into the pair: the second half is held";
  EXPECT_FALSE(skipping.reader.AtEndOfStream());
  EXPECT_EQ(Read(skipping.reader, 2), u"\xDE00\u00E9");
  EXPECT_EQ(skipping.reader.Skip(-1), kInvalidParameter) << "no counting backwards";
  EXPECT_EQ(Read(skipping.reader, 1), u"!") << "the refused move kept the position";
  EXPECT_EQ(skipping.reader.Skip(5), 0u) << "past the end is no failure";
  EXPECT_TRUE(skipping.reader.AtEndOfStream());
}

TEST(DecodingCharSource, AFailedReadLosesNothingDecodedBeforeIt) {
  Stream s("ab\xE4\xB8\xAD" "cdef", 4);  // the first window cuts the CJK character
  s.peeksBeforeFailure = 1;
  std::u16string text = u"kept";
  EXPECT_EQ(s.source.ReadChars(6, &text), kReadFault) << "topping up the cut character fails";
  EXPECT_EQ(text, u"kept") << "nothing appended";
  EXPECT_EQ(s.source.ReadChars(6, &text), 0u);
  EXPECT_EQ(text, u"keptab\u4E2Dcde") << "the two letters decoded before the failure come first";
}

}  // namespace
