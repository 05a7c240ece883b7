// Decoders for the code pages a stream's Format names: UTF-8, and the installed code pages whose
// characters take one byte or a lead byte and one more, converted by the platform.
#pragma once

#include "com/lead_bytes.h"
#include "com/win.h"
#include "streams/decoding_char_source.h"

namespace docket::streams {

class Utf8Decoder final : public text::Decoder {
 public:
  size_t Decode(std::string_view bytes, size_t units, bool atEnd, std::u16string* out) override;
};

class CodePageDecoder final : public text::Decoder {
 public:
  void SetCodePage(UINT codePage);
  // Converts whole characters only, one UTF-16 unit or more each, at most `units` of them.
  size_t Decode(std::string_view bytes, size_t units, bool atEnd, std::u16string* out) override;

 private:
  UINT codePage_ = CP_ACP;
  text::LeadBytes lead_{};
};

}  // namespace docket::streams
