// The input as the body of an access-control list (entries one after another, each as long as its
// header says): every entry that reads converts on NT 4, Windows 2000 and later to what must hold
// for any entry.
#include "security/access_entry.h"
#include "security/rights_model.h"

#include "fuzz_check.h"

using namespace docket::rights;

namespace {

void CheckEntry(const EntryLayout& entry, size_t available) {
  FUZZ_CHECK(entry.size >= 8 && entry.size <= available);
  FUZZ_CHECK(!entry.HasSid() || (entry.sidOffset >= 8 && entry.sidOffset + entry.sidLength <= entry.size));
  const bool deny = entry.facts.type == kDenyEntry;
  for (uint32_t version = 3; version <= 7; ++version) {
    const RightsValue value = RightsOf(entry.facts, version);
    FUZZ_CHECK((value.rights & ~(kFull | kNoAccess | kList | kReadExecute | kModify)) == 0);
    FUZZ_CHECK(deny ? value.rights == kNoAccess : !value.Has(kNoAccess));
    if (!deny && value.generic && Holds(entry.facts.mask, mask::kGenericAll)) FUZZ_CHECK(value.rights == kFull);
    if (version < kWindows2000) FUZZ_CHECK((value.rights & (kList | kReadExecute | kModify)) == 0);
    const GroupStates states = GroupStatesOf(entry.facts, version);
    for (int32_t state : states) {
      FUZZ_CHECK(state == kGroupAllow || state == kGroupDeny || state == kGroupNotSet);
      FUZZ_CHECK(version == kWindows2000 || state == kGroupNotSet);
    }
    FUZZ_CHECK(states[kListContentsGroup] == states[kReadExecuteGroup]);  // the same mask stands for both
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (size_t offset = 0; offset < size;) {
    const auto entry = ReadEntry(data + offset, size - offset);
    if (!entry) break;
    CheckEntry(*entry, size - offset);
    offset += entry->size;
  }
  return 0;
}
