// The characters of a file in a code page of variable width (UTF-8, the double-byte code pages),
// counted in UTF-16 code units as a Unicode stream counts them.
//
// Bytes come from a window onto the file's read-ahead buffer and are used up only as far as the
// characters handed out reach, so the file position always sits between two characters and no
// character is ever broken where a read or the buffer ends. When a count falls between the two
// units of a surrogate pair, the second unit is held here for the next read. No Windows header:
// the logic is tested natively with windows of every size.
#pragma once

#include "streams/text_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace docket::text {

// The platform's ERROR_INVALID_PARAMETER: the answer to a move back by characters, which a code
// page of variable width can't count backwards.
inline constexpr ErrorNumber kInvalidParameter = 87;

// Turns the bytes of one encoding into UTF-16.
class Decoder {
 public:
  virtual ~Decoder() = default;
  // Appends the characters at the front of `bytes` until at least `units` code units have been
  // appended or the bytes run out, and returns the bytes used. A character cut off by the end of
  // `bytes` is left unused, unless `atEnd` says nothing follows; then it is decoded as it stands.
  virtual std::size_t Decode(std::string_view bytes, std::size_t units, bool atEnd, std::u16string* out) = 0;
};

// The bytes of a file that have been read but not yet used.
class ByteWindow {
 public:
  virtual ~ByteWindow() = default;
  // At least `want` bytes (a handful at most) unless the file ends first; more when they are at
  // hand. Empty only at the end of the file.
  virtual ErrorNumber Peek(std::size_t want, std::string_view* bytes) = 0;
  // The first `count` bytes of the last Peek are used.
  virtual void Consume(std::size_t count) = 0;
  // A read of the file came back empty: the end is known from now on.
  virtual void MarkEnd() = 0;
  virtual bool Exhausted() const = 0;
};

class DecodingCharSource final : public CharSource {
 public:
  DecodingCharSource(ByteWindow& bytes, Decoder& decoder) : bytes_(bytes), decoder_(decoder) {}
  DecodingCharSource(const DecodingCharSource&) = delete;
  DecodingCharSource& operator=(const DecodingCharSource&) = delete;

  // As a read of a Unicode file: fewer units only at the end of the file, which only a read that
  // finds nothing at all marks. A failure appends nothing and loses nothing: what was decoded
  // before it is held for the next read.
  ErrorNumber ReadChars(std::size_t count, std::u16string* out) override;
  bool Exhausted() const override { return bytes_.Exhausted() && held_.empty(); }
  // Forward only, by decoding what it passes over; a failure stops the move where it happened.
  ErrorNumber MoveBy(std::int64_t count, std::u16string_view unread) override;

 private:
  ByteWindow& bytes_;
  Decoder& decoder_;
  std::u16string held_;  // decoded, not yet handed out: the second half of a pair a count ran into
};

}  // namespace docket::text
