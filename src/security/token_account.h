// The account an access token runs as.
#pragma once

#include "com/win.h"

#include <string>

namespace docket {

// domain\name of the token's user (the backslash stands also when the domain is empty). Failures
// are reported under `source`. Throws std::bad_alloc.
HRESULT TokenAccount(REFCLSID source, HANDLE token, std::string* account);

}  // namespace docket
