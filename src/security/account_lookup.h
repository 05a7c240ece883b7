// The account of a security identifier on the local system.
#pragma once

#include "com/win.h"
#include "security/account_text.h"

namespace docket {

// LookupAccountSidA with name buffers that grow to what the platform asks for; the outcome's
// error is the platform's error number, 0 on success. Throws std::bad_alloc.
accounts::Lookup LookUpAccount(PSID sid);

}  // namespace docket
