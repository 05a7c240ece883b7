// The registry entries of the module's classes and of its type library.
#pragma once

#include "com/win.h"

namespace docket {

// Writes (or, with reg false, removes) the entries of one registration script for a class.
HRESULT RunRegistrationScript(int script, REFCLSID clsid, bool reg);

// Registers the module's own type library with the module path and its folder as help directory.
HRESULT RegisterModuleTypeLib();
// Unregisters it; success when the platform has no UnRegisterTypeLib.
HRESULT UnregisterModuleTypeLib();

}  // namespace docket
