#include "streams/decoding_char_source.h"

#include <algorithm>

namespace docket::text {

ErrorNumber DecodingCharSource::ReadChars(std::size_t count, std::u16string* out) {
  const std::size_t start = out->size();
  const std::size_t fromHeld = std::min(count, held_.size());
  out->append(held_, 0, fromHeld);
  held_.erase(0, fromHeld);
  std::size_t need = count - fromHeld;
  std::size_t want = 1;
  bool foundAny = false;
  while (need > 0) {
    std::string_view window;
    if (const ErrorNumber error = bytes_.Peek(want, &window)) {
      held_.insert(0, *out, start);
      out->resize(start);
      return error;
    }
    if (window.empty()) {
      // Bytes found and then the end: they come back, and the end is known at the next read.
      if (!foundAny) bytes_.MarkEnd();
      break;
    }
    foundAny = true;
    // Fewer bytes than asked for: the file ends within the character cut off last time.
    const bool atEnd = window.size() < want;
    const std::size_t before = out->size();
    const std::size_t used = decoder_.Decode(window, need, atEnd, out);
    bytes_.Consume(used);
    const std::size_t made = out->size() - before;
    if (made >= need) {
      held_.assign(*out, before + need);
      out->resize(before + need);
      break;
    }
    need -= made;
    // Everything used: the next bytes will do. A character cut off: its bytes and one more.
    want = window.size() - used + 1;
  }
  return 0;
}

ErrorNumber DecodingCharSource::MoveBy(std::int64_t count, std::u16string_view unread) {
  // What was read ahead can't be given back either: its bytes are not known once decoded (one
  // U+FFFD may stand for one byte or three).
  if (count < 0 || !unread.empty()) return kInvalidParameter;
  // In pieces, so that a large count does not need as large a string.
  constexpr std::size_t kPiece = 16 * 1024;
  std::u16string passed;
  auto left = static_cast<std::uint64_t>(count);
  while (left > 0) {
    passed.clear();
    const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, kPiece));
    if (const ErrorNumber error = ReadChars(piece, &passed)) return error;
    if (passed.size() < piece) break;  // the end of the file
    left -= piece;
  }
  return 0;
}

}  // namespace docket::text
