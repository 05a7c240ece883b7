// The characters of a text stream's file: bytes from the inner BinaryStream, which this owns,
// decoded from the system code page or from UTF-16LE.
#pragma once

#include "com/com_ptr.h"
#include "streams/binary_stream.h"
#include "streams/text_reader.h"

namespace docket::streams {

class FileCharSource final : public text::CharSource {
 public:
  // Makes the inner stream; every other member needs it.
  HRESULT MakeInnerStream() { return BinaryStream::Create(&file_); }
  BinaryStream& file() const { return *file_.get(); }

  void SetUnicode(bool unicode) { unicode_ = unicode; }
  bool unicode() const { return unicode_; }

  // A count of characters is a count of bytes, or twice that for Unicode.
  text::ErrorNumber ReadChars(size_t count, std::u16string* out) override;
  bool Exhausted() const override { return file_->AtEnd(); }
  text::ErrorNumber MoveBy(int64_t count, std::u16string_view unread) override;

 private:
  com::ComPtr<BinaryStream> file_;
  bool unicode_ = false;
};

}  // namespace docket::streams
