// The characters of a text stream's file: bytes from the inner BinaryStream, which this owns,
// decoded from the system code page, from UTF-16LE, or from a code page the stream's Format named.
#pragma once

#include "com/com_ptr.h"
#include "streams/binary_stream.h"
#include "streams/code_page_decoders.h"
#include "streams/decoding_char_source.h"
#include "streams/text_encoding.h"
#include "streams/text_reader.h"

#include <optional>

namespace docket::streams {

class FileCharSource final : public text::CharSource {
 public:
  // Makes the inner stream; every other member needs it.
  HRESULT MakeInnerStream() { return BinaryStream::Create(&file_); }
  BinaryStream& file() const { return *file_.get(); }

  void SetEncoding(const TextEncoding& encoding);
  const TextEncoding& encoding() const { return encoding_; }

  // The system code page and UTF-16 count a character as a byte, or two bytes for UTF-16; a code
  // page the Format named counts UTF-16 code units, as many bytes as each takes.
  text::ErrorNumber ReadChars(size_t count, std::u16string* out) override;
  bool Exhausted() const override { return decoded_ ? decoded_->Exhausted() : file_->AtEnd(); }
  text::ErrorNumber MoveBy(int64_t count, std::u16string_view unread) override;

 private:
  // The inner stream's read-ahead, as the decoding source sees it.
  class Window final : public text::ByteWindow {
   public:
    explicit Window(const com::ComPtr<BinaryStream>& file) : file_(file) {}
    text::ErrorNumber Peek(size_t want, std::string_view* bytes) override;
    void Consume(size_t count) override { file_->ConsumeBytes(static_cast<DWORD>(count)); }
    void MarkEnd() override { file_->MarkEnd(); }
    bool Exhausted() const override { return file_->AtEnd(); }

   private:
    const com::ComPtr<BinaryStream>& file_;
  };

  text::ErrorNumber ReadFixedWidth(size_t count, std::u16string* out);

  com::ComPtr<BinaryStream> file_;
  TextEncoding encoding_;
  Window window_{file_};
  Utf8Decoder utf8_;
  CodePageDecoder codePage_;
  std::optional<text::DecodingCharSource> decoded_;  // for a code page the Format named
};

}  // namespace docket::streams
