// The reading half of a text stream: chunks, line ends, the text read ahead but not yet returned,
// and the Line and Column counters. It knows nothing of files, encodings or COM (no Windows
// header), so it also builds natively for the sanitizer lane; the TextStream supplies the
// characters through a CharSource and turns the error numbers into reports.
//
// A line end is the pair CR LF and nothing else; a lone CR or LF is an ordinary character.
// Characters are UTF-16 code units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace docket::text {

// Error numbers are the platform's system error numbers; 0 means success.
using ErrorNumber = std::uint32_t;

// The unit of the reading logic: ReadLine, SkipLine and ReadAll take this many characters at a
// time, so a line costs at least one read of the source.
inline constexpr std::size_t kChunkChars = 128;

// ReadAll takes this many characters at a time: it reads to the end whatever the size of its
// takes, and large takes spare a 20 MB file 160,000 round trips through the source.
inline constexpr std::size_t kReadAllChars = 512 * kChunkChars;

// The file as characters.
class CharSource {
 public:
  virtual ~CharSource() = default;
  // Appends up to `count` characters read from the file: fewer at its end, none once it is
  // exhausted (which is not a failure).
  virtual ErrorNumber ReadChars(std::size_t count, std::u16string* out) = 0;
  // True once a read of the file has come back empty; it stays true.
  virtual bool Exhausted() const = 0;
  // Gives `unread` back to the file (characters read from it but never returned), then moves the
  // file position by `count` characters; one move, so a failure leaves the position as it was.
  virtual ErrorNumber MoveBy(std::int64_t count, std::u16string_view unread) = 0;
};

class TextReader {
 public:
  explicit TextReader(CharSource& source) : source_(source) {}
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Up to `count` characters; Line and Column follow the returned text.
  ErrorNumber Read(std::size_t count, std::u16string* out);
  // The next line without its line end; counts one line whatever it found, even nothing.
  ErrorNumber ReadLine(std::u16string* out);
  ErrorNumber SkipLine();
  // Everything up to the end of the stream; the counters stay as they are.
  ErrorNumber ReadAll(std::u16string* out);
  // Skips characters; a negative count moves back from the position the caller has reached.
  ErrorNumber Skip(std::int64_t count);

  // The source is exhausted and nothing read ahead is left to return.
  bool AtEndOfStream() const { return source_.Exhausted() && pending_.empty(); }
  // The next two characters are CR LF, or nothing can be read; the position does not move.
  bool AtEndOfLine();

  std::int32_t line() const { return static_cast<std::int32_t>(line_); }
  std::int32_t column() const { return static_cast<std::int32_t>(column_); }

 private:
  // Takes `count` characters: from the pending text first, the rest from the source. A failure
  // of the source leaves the pending text as it was.
  ErrorNumber Take(std::size_t count, std::u16string* out);
  // Collects the next line into `line` (when not null) and counts it.
  ErrorNumber CollectLine(std::u16string* line);
  void CountRead(std::u16string_view text);
  // Puts text in front of the pending text.
  void GiveBack(std::u16string_view text) { pending_.insert(0, text); }

  CharSource& source_;
  std::u16string pending_;  // read from the source, not yet returned; a prefix of what comes next
  std::u16string chunk_;    // CollectLine's work space, kept to save an allocation a line
  // Counters wrap like the 32-bit values they are reported as.
  std::uint32_t line_ = 1;
  std::uint32_t column_ = 1;
  bool crSeen_ = false;  // the text returned by the last Read ended with CR
};

}  // namespace docket::text
