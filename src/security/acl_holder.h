// The security information of one File or Folder: its discretionary access-control list and the
// texts for accounts that cannot be named. The item, its permission enumerators and their entries
// share one holder, which lives as long as the longest of them; it may be used from any thread.
#pragma once

#include "com/win.h"
#include "security/account_text.h"
#include "security/acl_list.h"

#include <memory>
#include <optional>
#include <string>

namespace docket {

class AclHolder {
 public:
  // What an item's enumerator gets: whether the item has a list, and a copy of it (null when the
  // copy could not be made).
  struct Snapshot {
    bool hasList = false;
    std::shared_ptr<const AclList> copy;
  };

  // Reads the item's list afresh from `path`, unless a list was given, and copies it. A list that
  // cannot be read counts as none. Throws std::bad_alloc.
  Snapshot Refresh(const std::string& path);

  // From now on the holder keeps this list (a copy; null for an item without a list) instead of
  // reading the item's own. Throws std::bad_alloc; false when the copy could not be made.
  bool Give(const ACL* list);

  // Deletes from the holder's list every entry for the same identifier with the same flags as
  // `entry`, whatever its type. ERROR_SUCCESS when at least one went, ERROR_INVALID_SID when none
  // matched, or the platform's error.
  DWORD RemoveMatching(const AclEntry& entry);

  // The trustee text for a lookup's outcome, with the administrator's texts for deleted and
  // unknown accounts (read from the registry when first needed); nothing when the lookup failed
  // otherwise. Throws std::bad_alloc.
  std::optional<std::string> TrusteeText(const accounts::Lookup& lookup);

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;  // guards everything below
  std::unique_ptr<AclList> list_;
  bool given_ = false;
  accounts::FallbackTexts texts_;
};

// The holder of one item, made when first asked for.
class AclHolderSlot {
 public:
  std::shared_ptr<AclHolder> Get();  // throws std::bad_alloc

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  std::shared_ptr<AclHolder> holder_;
};

}  // namespace docket
