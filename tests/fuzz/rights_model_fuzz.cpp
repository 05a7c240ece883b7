// Reads the input as the body of an access-control list (entries one after another, each
// as long as its header says) and converts every entry that reads on NT 4, Windows 2000 and
// later, checking what must hold for any entry.
#include "security/access_entry.h"
#include "security/rights_model.h"

#include <cstddef>
#include <cstdint>

using namespace docket::rights;

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckEntry(const EntryLayout& entry, size_t available) {
  Require(entry.size >= 8 && entry.size <= available);
  if (entry.HasSid())
    Require(entry.sidOffset >= 8 && entry.sidOffset + entry.sidLength <= entry.size);
  constexpr uint32_t kKnown = kFull | kNoAccess | kList | kReadExecute | kModify;
  for (uint32_t version = 3; version <= 7; ++version) {
    const RightsValue value = RightsOf(entry.facts, version);
    Require((value.rights & ~kKnown) == 0);
    if (entry.facts.type == kDenyEntry) Require(value.rights == kNoAccess);
    else Require(!value.Has(kNoAccess));
    if (entry.facts.type != kDenyEntry && value.generic && Holds(entry.facts.mask, mask::kGenericAll))
      Require(value.rights == kFull);
    if (version < kWindows2000) Require((value.rights & (kList | kReadExecute | kModify)) == 0);

    const GroupStates states = GroupStatesOf(entry.facts, version);
    for (int32_t state : states) {
      Require(state == kGroupAllow || state == kGroupDeny || state == kGroupNotSet);
      if (version != kWindows2000) Require(state == kGroupNotSet);
    }
    // Both groups stand for the same mask.
    Require(states[kListContentsGroup] == states[kReadExecuteGroup]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t offset = 0;
  while (offset < size) {
    const auto entry = ReadEntry(data + offset, size - offset);
    if (!entry) break;
    CheckEntry(*entry, size - offset);
    offset += entry->size;
  }
  return 0;
}
