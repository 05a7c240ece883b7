// Lead-byte tables as the platform describes its code pages: none for a single-byte one, and
// 81-9F and E0-FC for 932, whose second bytes run 40-7E and 80-FC (5C, the backslash, among them).
#pragma once

#include "com/lead_bytes.h"

namespace code_page_tables {

inline const docket::text::LeadBytes kSingleByte{};

inline const docket::text::LeadBytes k932 = [] {
  docket::text::LeadBytes lead{};
  for (unsigned b = 0x81; b <= 0x9F; ++b) lead[b] = true;
  for (unsigned b = 0xE0; b <= 0xFC; ++b) lead[b] = true;
  return lead;
}();

}  // namespace code_page_tables
