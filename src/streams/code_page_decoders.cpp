#include "streams/code_page_decoders.h"

#include "com/ansi.h"
#include "streams/utf8.h"

namespace docket::streams {

size_t Utf8Decoder::Decode(std::string_view bytes, size_t units, bool atEnd, std::u16string* out) {
  return text::DecodeUtf8(bytes, units, atEnd, out);
}

void CodePageDecoder::SetCodePage(UINT codePage) {
  codePage_ = codePage;
  lead_ = com::LeadBytesOf(codePage);
}

size_t CodePageDecoder::Decode(std::string_view bytes, size_t units, bool atEnd, std::u16string* out) {
  const size_t used = text::WholeCharacterBytes(bytes, lead_, units, atEnd);
  if (used == 0) return 0;
  const size_t old = out->size();
  // One unit a byte is room enough for every table the platform has; ask for the size otherwise.
  out->resize(old + used);
  int made = ::MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(used),
                                   reinterpret_cast<wchar_t*>(out->data() + old), static_cast<int>(used));
  if (made == 0) {
    made = ::MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(used), nullptr, 0);
    out->resize(old + static_cast<size_t>(made));
    ::MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(used),
                          reinterpret_cast<wchar_t*>(out->data() + old), made);
  }
  out->resize(old + static_cast<size_t>(made));
  return used;
}

}  // namespace docket::streams
