// The text reader, differentially: one text read with any mix of read sizes, skips and looks at
// the end of the line, and read line by line, gives the same characters and the same lines, and
// Line and Column always agree with the text returned so far. Input: a text over a small
// alphabet rich in CR and LF, then the schedule of calls.
#include "streams/text_reader.h"

#include "../native/memory_sources.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using docket::text::TextReader;
using MemorySource = memory_sources::Chars;

constexpr std::u16string_view kLineEnd = u"\r\n";

// Line and Column after returning `text` (one piece after another, none empty): one line per CR
// LF in it, the column counting what follows the last.
void CheckCounters(const TextReader& reader, const std::u16string& text) {
  int64_t lines = 1;
  size_t afterLast = 0;
  for (size_t at = text.find(kLineEnd); at != text.npos; at = text.find(kLineEnd, at + 2)) {
    ++lines;
    afterLast = at + 2;
  }
  FUZZ_CHECK(reader.line() == lines);
  FUZZ_CHECK(reader.column() == static_cast<int64_t>(1 + text.size() - afterLast));
}

// Reads, skips and looks ahead in steps the input chooses, until the text is used up.
void ReadInPieces(const std::u16string& content, FuzzedDataProvider& schedule) {
  MemorySource source(content);
  TextReader reader(source);
  size_t position = 0;
  std::u16string returned;  // everything Read gave, in order
  while (position < content.size() && schedule.remaining_bytes() > 0) {
    switch (schedule.ConsumeIntegralInRange(0, 3)) {
      case 0: {  // a look at the end of the line moves nothing
        const bool atEnd = content.compare(position, 2, kLineEnd) == 0;
        FUZZ_CHECK(reader.AtEndOfLine() == atEnd);
        break;
      }
      case 1: {  // forward or back; before the start fails and moves nothing
        const int64_t by = schedule.ConsumeIntegralInRange<int64_t>(-300, 300);
        const int64_t target = static_cast<int64_t>(position) + by;
        FUZZ_CHECK((reader.Skip(by) == 0) == (target >= 0));
        if (target >= 0) position = static_cast<size_t>(target);
        break;
      }
      default: {
        const size_t count = schedule.ConsumeIntegralInRange<size_t>(1, 300);
        std::u16string piece;
        FUZZ_CHECK(reader.Read(count, &piece) == 0);
        FUZZ_CHECK(piece == content.substr(position, count));
        position += piece.size();
        returned += piece;
        break;
      }
    }
    CheckCounters(reader, returned);
  }
  if (position < content.size()) {
    // Once a read has found the end, the stream stays at its end, also after a skip back: ReadAll
    // then returns nothing (Read still returns the text).
    const bool endKnown = reader.AtEndOfStream();
    std::u16string rest;
    FUZZ_CHECK(reader.ReadAll(&rest) == 0);
    FUZZ_CHECK(rest == (endKnown ? std::u16string() : content.substr(position)));
    CheckCounters(reader, returned);
  }
}

// The text cut at every CR LF.
std::vector<std::u16string> LinesOf(const std::u16string& content) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t at = content.find(kLineEnd); at != content.npos; at = content.find(kLineEnd, start)) {
    lines.push_back(content.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(content.substr(start));
  return lines;
}

// Line by line, some lines skipped, with looks at the end of the line in between.
void ReadByLines(const std::u16string& content, FuzzedDataProvider& schedule) {
  const std::vector<std::u16string> expected = LinesOf(content);
  MemorySource source(content);
  TextReader reader(source);
  size_t count = 0;
  while (!reader.AtEndOfStream()) {
    FUZZ_CHECK(count < expected.size());
    const uint8_t step = schedule.ConsumeIntegral<uint8_t>();
    if (step % 5 == 0) reader.AtEndOfLine();
    std::u16string line;
    FUZZ_CHECK((step % 3 == 0 ? reader.SkipLine() : reader.ReadLine(&line)) == 0);
    if (step % 3 != 0) FUZZ_CHECK(line == expected[count]);
    ++count;
    FUZZ_CHECK(reader.line() == static_cast<int64_t>(1 + count) && reader.column() == 1);
  }
  // Every line, but for an empty last one when the end was already known after the one before.
  FUZZ_CHECK(count == expected.size() || (count + 1 == expected.size() && expected.back().empty()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  static constexpr char16_t kAlphabet[] = {u'\r', u'\n', u'\r', u'\n', u'a', u'b', 0, 0xD800};
  std::u16string content(input.ConsumeIntegralInRange<size_t>(0, 1000), u' ');
  for (char16_t& c : content) c = kAlphabet[input.ConsumeIntegralInRange<size_t>(0, 7)];
  ReadInPieces(content, input);
  ReadByLines(content, input);
  return 0;
}
