#include "security/rights_model.h"

namespace docket::rights {
namespace {

// The rights a mask grants beyond reading, writing and executing: the same on every version.
uint32_t StandardRights(uint32_t value) {
  uint32_t rights = 0;
  if (Holds(value, mask::kDelete)) rights |= kDelete;
  if (Holds(value, mask::kWriteOwner)) rights |= kOwner;
  if (Holds(value, mask::kWriteDac)) rights |= kPermissions;
  return rights;
}

uint32_t Nt4Rights(uint32_t value, bool generic) {
  uint32_t rights = 0;
  if (Holds(value, generic ? mask::kGenericRead : mask::kFileGenericRead)) rights |= kRead;
  if (Holds(value, generic ? mask::kGenericWrite : mask::kFileGenericWrite)) rights |= kWrite;
  if (Holds(value, generic ? mask::kGenericExecute : mask::kFileGenericExecute))
    rights |= kExecute;
  return rights;
}

// Execute is no right of its own here: it comes only as part of full control.
uint32_t Windows2000Rights(uint32_t value, bool generic) {
  uint32_t rights = 0;
  if (Holds(value, generic ? mask::kGenericAll : mask::kFullControl)) rights |= kFull;
  if (Holds(value, generic ? mask::kGenericRead : mask::kReadControl)) rights |= kRead;
  if (Holds(value, generic ? mask::kGenericWrite : mask::kWriteGroup)) rights |= kWrite;
  if (Holds(value, mask::kReadExecuteGroup)) rights |= kList | kReadExecute;
  if (Holds(value, mask::kModifyGroup)) rights |= kModify;
  return rights;
}

}  // namespace

RightsValue RightsOf(const EntryFacts& entry, uint32_t systemVersion) {
  RightsValue value;
  value.systemVersion = systemVersion;
  value.generic = (entry.flags & kObjectInherit) != 0;
  if (entry.type == kDenyEntry) {
    value.rights = kNoAccess;  // a denial is reported as such, whatever it denies
    return value;
  }
  if (value.generic && Holds(entry.mask, mask::kGenericAll)) {
    value.rights = kFull;
    return value;
  }
  value.rights = systemVersion < kWindows2000
                     ? Nt4Rights(entry.mask, value.generic)
                     : Windows2000Rights(entry.mask, value.generic);
  value.rights |= StandardRights(entry.mask);
  return value;
}

GroupStates GroupStatesOf(const EntryFacts& entry, uint32_t systemVersion) {
  GroupStates states;
  states.fill(kGroupNotSet);
  if (systemVersion != kWindows2000) return states;
  if (entry.flags == (kContainerInherit | kInheritOnly)) return states;
  if (entry.type != kAllowEntry && entry.type != kDenyEntry) return states;
  const int32_t state = entry.type == kAllowEntry ? kGroupAllow : kGroupDeny;
  if (Holds(entry.mask, mask::kGenericAll)) {
    states.fill(state);
    return states;
  }
  const auto holdsEither = [&](uint32_t a, uint32_t b) {
    return Holds(entry.mask, a) || Holds(entry.mask, b);
  };
  const uint32_t fullControl =
      entry.type == kAllowEntry ? mask::kFullControl : mask::kFullControlNoSync;
  const bool held[kGroupCount] = {
      Holds(entry.mask, fullControl),
      holdsEither(mask::kGenericRead, mask::kReadControl),
      holdsEither(mask::kGenericWrite, mask::kWriteGroup),
      Holds(entry.mask, mask::kReadExecuteGroup),
      Holds(entry.mask, mask::kModifyGroup),
      Holds(entry.mask, mask::kReadExecuteGroup),
  };
  for (int group = 0; group < kGroupCount; ++group)
    if (held[group]) states[group] = state;
  return states;
}

}  // namespace docket::rights
