#include "streams/file_char_source.h"

#include "com/ansi.h"

#include <memory>

namespace docket::streams {

static_assert(text::kInvalidParameter == ERROR_INVALID_PARAMETER);

void FileCharSource::SetEncoding(const TextEncoding& encoding) {
  encoding_ = encoding;
  decoded_.reset();
  if (encoding.kind != TextEncoding::Kind::kCodePage) return;
  if (encoding.utf8()) {
    decoded_.emplace(window_, utf8_);
  } else {
    codePage_.SetCodePage(encoding.codePage);
    decoded_.emplace(window_, codePage_);
  }
}

text::ErrorNumber FileCharSource::ReadChars(size_t count, std::u16string* out) {
  return decoded_ ? decoded_->ReadChars(count, out) : ReadFixedWidth(count, out);
}

text::ErrorNumber FileCharSource::ReadFixedWidth(size_t count, std::u16string* out) {
  const bool unicode = encoding_.unicode();
  ULONGLONG bytes = unicode ? count * 2ull : count;
  // A chunk's worth fits on the stack; longer reads (Read with a large count) go to the heap.
  // One byte more for the trail byte of a double-byte character.
  char local[text::kChunkChars * 2 + 1];
  std::unique_ptr<char[]> large;
  char* buffer = local;
  if (bytes + 1 > sizeof local) {
    // Read(&H7FFFFFFF) of a small file must not ask for 2 GiB (and fail where it cannot have them).
    if (const DWORD error = file_->LimitToRemaining(&bytes)) return error;
    if (bytes >= MAXDWORD) return ERROR_NOT_ENOUGH_MEMORY;
    large.reset(new char[static_cast<size_t>(bytes) + 1]);
    buffer = large.get();
  }
  DWORD got = 0;
  if (const DWORD error = file_->ReadBytes(buffer, static_cast<DWORD>(bytes), &got)) return error;
  // A lead byte that ends the read takes its trail byte along: a character split between two
  // reads would come back as two wrong ones.
  if (!unicode && com::SystemIsDoubleByte() && got > 0 &&
      text::WholeCharacterBytes({buffer, got}, com::SystemLeadBytes(), SIZE_MAX, false) < got) {
    DWORD trail = 0;
    if (const DWORD error = file_->ReadBytes(buffer + got, 1, &trail)) return error;
    got += trail;
  }
  AppendDecoded(buffer, got, unicode, out);
  return 0;
}

text::ErrorNumber FileCharSource::MoveBy(int64_t count, std::u16string_view unread) {
  if (decoded_) return decoded_->MoveBy(count, unread);
  const int64_t unit = encoding_.unicode() ? 2 : 1;
  return file_->MoveBy(count * unit - static_cast<int64_t>(EncodedSize(unread, encoding_.unicode())));
}

text::ErrorNumber FileCharSource::Window::Peek(size_t want, std::string_view* bytes) {
  const char* data = nullptr;
  DWORD size = 0;
  if (const DWORD error = file_->PeekBytes(static_cast<DWORD>(want), &data, &size)) return error;
  *bytes = std::string_view(data, size);
  return 0;
}

}  // namespace docket::streams
