// Making a Folder for a path as the caller gave it: the one way the service hands out folders.
#pragma once

#include "com/win.h"

namespace docket {

// On failure (for example a path that is not a folder) *out stays null and the Folder's own
// report is returned as it is.
HRESULT MakeFolder(BSTR path, IFolder** out);

}  // namespace docket
