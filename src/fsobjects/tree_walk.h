// The recursive walks over a folder tree: delete it, copy it, add up its size. Each lists a
// directory in the platform's order, skips "." and "..", goes depth first, stops at the first
// failure (reported under clsid) and undoes nothing done before it. A path that would grow past
// the limit of 259 characters on the way is refused, never cut. An entry whose name has no exact
// form in the system code page is never named to the platform by a look-alike: it is refused with
// the invalid-name error naming it. Delete and copy first walk the tree they are about to change
// without touching it, so that such an entry, a folder they cannot list or a path beyond the
// limit stops them before they delete or make anything.
#pragma once

#include "com/win.h"

#include <string>
#include <string_view>

namespace docket {

// dir and name joined by one backslash; false when the result would be longer than a path may be.
bool JoinPath(const std::string& dir, std::string_view name, std::string* out);

// Deletes everything below dir and then dir itself. With force, a read-only file or folder that
// refuses deletion loses its attributes and is tried once more. A junction or symbolic link to a
// folder, dir itself included, is removed as a link; the root of a volume is refused with access
// denied before anything is touched.
HRESULT DeleteTree(REFCLSID clsid, const std::string& dir, bool force);

// Copies the contents of source into target, creating target (only its last level) when it is
// missing. An existing target is merged into when overwrite is set and refused otherwise; files
// are replaced only when overwrite is set.
HRESULT CopyTree(REFCLSID clsid, const std::string& source, const std::string& target,
                 bool overwrite);

// Adds the sizes of all files below dir to *total. A file's size comes from the listing, so its
// name does not matter; a folder without an exact name cannot be looked into and is refused.
HRESULT SumTree(REFCLSID clsid, const std::string& dir, ULONGLONG* total);

}  // namespace docket
