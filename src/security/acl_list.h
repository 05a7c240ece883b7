// An access-control list in memory of its own, and the entries in it.
#pragma once

#include "com/win.h"
#include "security/access_entry.h"

#include <memory>
#include <optional>
#include <vector>

namespace docket {

// One entry of a list: where it lies and how it reads.
struct AclEntry {
  const BYTE* bytes = nullptr;
  rights::EntryLayout layout;

  PSID Sid() const { return const_cast<BYTE*>(bytes) + layout.sidOffset; }
};

class AclList {
 public:
  // A copy of `source`: a new list of the size in use of the source plus 8 bytes, with every
  // entry of the source appended in order. Null when the platform refuses the copy (an entry it
  // does not take, say); throws std::bad_alloc when memory runs out.
  static std::unique_ptr<AclList> CopyOf(const ACL* source);

  ACL* get() { return reinterpret_cast<ACL*>(bytes_.data()); }
  const ACL* get() const { return reinterpret_cast<const ACL*>(bytes_.data()); }
  size_t Count() const { return get()->AceCount; }

  // Entry `index`, or nothing when the platform has none there or it does not read.
  std::optional<AclEntry> Entry(size_t index) const;
  // The entry at `entry` (from GetAce) of this list, or nothing when it does not read.
  std::optional<AclEntry> Read(const void* entry) const;

 private:
  explicit AclList(size_t size) : bytes_(size) {}
  std::vector<BYTE> bytes_;  // allocated storage is aligned for the list's header and entries
};

}  // namespace docket
