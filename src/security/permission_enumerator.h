// The enumerator a File or Folder hands out for For Each: one PermItem per entry of a copy of
// the item's discretionary list, taken now.
#pragma once

#include "com/win.h"
#include "security/acl_holder.h"

#include <string>

namespace docket {

// Refreshes the item's holder from `path` and returns an enumerator over a copy of its list.
// An item without a list fails, reported under `itemClass`; a list that could not be copied
// gives an enumerator whose Next fails.
HRESULT NewPermissionEnumerator(REFCLSID itemClass, AclHolderSlot& holder, const std::string& path,
                                bool fileItem, IUnknown** out);

}  // namespace docket
