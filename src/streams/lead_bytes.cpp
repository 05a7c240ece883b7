#include "streams/lead_bytes.h"

namespace docket::text {

std::size_t WholeCharacterBytes(std::string_view bytes, const LeadBytes& lead, std::size_t characters,
                                bool atEnd) {
  const std::size_t size = bytes.size();
  std::size_t at = 0;
  for (std::size_t counted = 0; at < size && counted < characters; ++counted) {
    if (!lead[static_cast<unsigned char>(bytes[at])]) {
      ++at;
    } else if (at + 1 < size) {
      at += 2;
    } else {
      if (atEnd) ++at;
      break;
    }
  }
  return at;
}

}  // namespace docket::text
