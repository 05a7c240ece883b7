#include "streams/file_char_source.h"

#include "streams/text_encoding.h"

#include <memory>

namespace docket::streams {

text::ErrorNumber FileCharSource::ReadChars(size_t count, std::u16string* out) {
  const size_t bytes = unicode_ ? count * 2 : count;
  if (bytes > MAXDWORD) return ERROR_NOT_ENOUGH_MEMORY;
  // A chunk's worth fits on the stack; longer reads (Read with a large count) go to the heap.
  char local[text::kChunkChars * 2];
  std::unique_ptr<char[]> large;
  char* buffer = local;
  if (bytes > sizeof local) {
    large.reset(new char[bytes]);
    buffer = large.get();
  }
  DWORD got = 0;
  if (const DWORD error = file_->ReadBytes(buffer, static_cast<DWORD>(bytes), &got)) return error;
  AppendDecoded(buffer, got, unicode_, out);
  return 0;
}

text::ErrorNumber FileCharSource::MoveBy(int64_t count, std::u16string_view unread) {
  const int64_t unit = unicode_ ? 2 : 1;
  return file_->MoveBy(count * unit - static_cast<int64_t>(EncodedSize(unread, unicode_)));
}

}  // namespace docket::streams
