#include "streams/code_page_decoders.h"

#include "com/ansi.h"
#include "streams/text_encoding.h"
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
  AppendFromCodePage(bytes.substr(0, used), codePage_, out);
  return used;
}

}  // namespace docket::streams
