// The layout of one access-control entry as it lies in a list: a 4-byte header (type, flags,
// size), the 32-bit access mask, and the trustee's security identifier, which object entries
// place after their flags and optional type identifiers. Reading checks every offset against the
// entry's own size, so nothing is ever read past an entry's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "security/rights_model.h"

namespace docket::rights {

struct EntryLayout {
  EntryFacts facts;
  uint16_t size = 0;       // the entry's size in bytes, from its header
  size_t sidOffset = 0;    // where the trustee's identifier starts, from the entry's start
  size_t sidLength = 0;    // its length in bytes (8 + 4 per sub-authority); 0 when unreadable

  bool HasSid() const { return sidLength != 0; }
};

// Reads the entry at `bytes` (of which `available` bytes may be read). Empty when the header or
// the mask does not fit; without identifier (sidLength 0) when the identifier does not fit the
// entry or is not a valid one.
std::optional<EntryLayout> ReadEntry(const uint8_t* bytes, size_t available);

}  // namespace docket::rights
