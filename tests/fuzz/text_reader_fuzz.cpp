// The text reader, differentially: a text read with any mix of read sizes, skips and looks at the
// end of the line, and read line by line, gives the same characters and lines as the text itself,
// and Line and Column always agree with the text returned so far. Input: a text over an alphabet
// rich in CR and LF, then the schedule of calls.
#include "streams/text_reader.h"

#include "../native/memory_sources.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace {

using docket::text::TextReader;

constexpr std::u16string_view kLineEnd = u"\r\n";

// The text cut at every CR LF.
std::vector<std::u16string> LinesOf(const std::u16string& text) {
  std::vector<std::u16string> lines(1);
  for (size_t at = 0; at < text.size(); ++at) {
    if (text.compare(at, 2, kLineEnd) != 0) {
      lines.back() += text[at];
    } else {
      lines.emplace_back();
      ++at;
    }
  }
  return lines;
}

// Line and Column after returning `text`: one line per CR LF in it, the column counting what
// follows the last.
void CheckCounters(const TextReader& reader, const std::u16string& text) {
  const std::vector<std::u16string> lines = LinesOf(text);
  FUZZ_CHECK(reader.line() == static_cast<int64_t>(lines.size()));
  FUZZ_CHECK(reader.column() == static_cast<int64_t>(1 + lines.back().size()));
}

// Reads, skips and looks ahead in steps the input chooses, until the text is used up.
void ReadInPieces(const std::u16string& content, FuzzedDataProvider& schedule) {
  memory_sources::Chars source(content);
  TextReader reader(source);
  size_t position = 0;
  std::u16string returned;  // everything Read gave, in order
  while (position < content.size() && schedule.remaining_bytes() > 0) {
    const int step = schedule.ConsumeIntegralInRange(0, 3);
    if (step == 0) {  // a look at the end of the line moves nothing
      FUZZ_CHECK(reader.AtEndOfLine() == (content.compare(position, 2, kLineEnd) == 0));
    } else if (step == 1) {  // forward or back; before the start fails and moves nothing
      const int64_t by = schedule.ConsumeIntegralInRange<int64_t>(-300, 300);
      const int64_t target = static_cast<int64_t>(position) + by;
      FUZZ_CHECK((reader.Skip(by) == 0) == (target >= 0));
      if (target >= 0) position = static_cast<size_t>(target);
    } else {
      const size_t count = schedule.ConsumeIntegralInRange<size_t>(1, 300);
      std::u16string piece;
      FUZZ_CHECK(reader.Read(count, &piece) == 0 && piece == content.substr(position, count));
      position += piece.size();
      returned += piece;
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

// Line by line, some lines skipped, with looks at the end of the line in between.
void ReadByLines(const std::u16string& content, FuzzedDataProvider& schedule) {
  const std::vector<std::u16string> expected = LinesOf(content);
  memory_sources::Chars source(content);
  TextReader reader(source);
  size_t count = 0;
  while (!reader.AtEndOfStream()) {
    FUZZ_CHECK(count < expected.size());
    const uint8_t step = schedule.ConsumeIntegral<uint8_t>();
    if (step % 5 == 0) reader.AtEndOfLine();
    std::u16string line;
    FUZZ_CHECK((step % 3 == 0 ? reader.SkipLine() : reader.ReadLine(&line)) == 0);
    FUZZ_CHECK(step % 3 == 0 || line == expected[count]);
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
