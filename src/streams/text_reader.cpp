#include "streams/text_reader.h"

#include <algorithm>

namespace docket::text {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr std::u16string_view kLineEnd = u"\r\n";

}  // namespace

ErrorNumber TextReader::Take(std::size_t count, std::u16string* out) {
  out->clear();
  // Nothing asked for is always at hand: a count of 0 never goes to the file.
  if (count == 0) return 0;
  if (pending_.size() >= count) {
    out->assign(pending_, 0, count);
    pending_.erase(0, count);
    return 0;
  }
  // Whatever is pending falls short: it is followed by a read of the rest, which reaches the
  // file (and so may find its end) even when the pending text holds a whole line.
  out->assign(pending_);
  if (const ErrorNumber error = source_.ReadChars(count - pending_.size(), out)) {
    out->clear();
    return error;
  }
  pending_.clear();
  return 0;
}

ErrorNumber TextReader::Read(std::size_t count, std::u16string* out) {
  if (const ErrorNumber error = Take(count, out)) return error;
  CountRead(*out);
  return 0;
}

void TextReader::CountRead(std::u16string_view text) {
  std::uint32_t lineEnds = 0;
  std::size_t afterLastEnd = 0;
  if (!text.empty() && text.front() == kLf && crSeen_) {  // CR last time, LF now: one line end
    ++lineEnds;
    afterLastEnd = 1;
  }
  for (std::size_t at = text.find(kLineEnd); at != text.npos; at = text.find(kLineEnd, at + 2)) {
    ++lineEnds;
    afterLastEnd = at + 2;
  }
  if (lineEnds > 0) {
    line_ += lineEnds;
    column_ = 1 + static_cast<std::uint32_t>(text.size() - afterLastEnd);
  } else {
    column_ += static_cast<std::uint32_t>(text.size());
  }
  crSeen_ = !text.empty() && text.back() == kCr;
}

ErrorNumber TextReader::CollectLine(std::u16string* line) {
  if (line) line->clear();
  bool chunkEndedWithCr = false;
  for (;;) {
    if (const ErrorNumber error = Take(kChunkChars, &chunk_)) {
      if (line) line->clear();  // the part collected so far is lost with the failure
      return error;
    }
    if (chunk_.empty()) break;  // end of the file
    if (chunkEndedWithCr && chunk_.front() == kLf) {
      // The line end fell across two chunks: drop the CR already collected, consume the LF.
      if (line) line->pop_back();
      GiveBack(std::u16string_view(chunk_).substr(1));
      break;
    }
    const std::size_t end = chunk_.find(kLineEnd);
    if (end != chunk_.npos) {
      if (line) line->append(chunk_, 0, end);
      GiveBack(std::u16string_view(chunk_).substr(end + kLineEnd.size()));
      break;
    }
    if (line) line->append(chunk_);
    chunkEndedWithCr = chunk_.back() == kCr;
  }
  ++line_;
  column_ = 1;
  return 0;
}

ErrorNumber TextReader::ReadLine(std::u16string* out) { return CollectLine(out); }

ErrorNumber TextReader::SkipLine() { return CollectLine(nullptr); }

ErrorNumber TextReader::ReadAll(std::u16string* out) {
  out->clear();
  std::u16string piece;
  while (!AtEndOfStream()) {
    if (const ErrorNumber error = Take(kReadAllChars, &piece)) {
      out->clear();
      return error;
    }
    out->append(piece);
  }
  return 0;
}

ErrorNumber TextReader::Skip(std::int64_t count) {
  if (count < 0) {
    // Back from where the caller stands, which is behind the text read ahead: that text goes
    // back to the file within the same move.
    if (const ErrorNumber error = source_.MoveBy(count, pending_)) return error;
    pending_.clear();
    return 0;
  }
  const std::size_t fromPending =
      static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(count), pending_.size()));
  const std::int64_t rest = count - static_cast<std::int64_t>(fromPending);
  // The file moves from the end of the pending text; only a move that worked consumes it.
  if (rest > 0) {
    if (const ErrorNumber error = source_.MoveBy(rest, {})) return error;
  }
  pending_.erase(0, fromPending);
  return 0;
}

bool TextReader::AtEndOfLine() {
  std::u16string next;
  // A failed read counts as the end of a line and is not reported; Take then kept the pending
  // text, so nothing is lost.
  if (Take(2, &next) != 0) return true;
  GiveBack(next);
  return next.empty() || next == kLineEnd;
}

}  // namespace docket::text
