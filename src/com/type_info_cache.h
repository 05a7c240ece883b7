// The module's type library, loaded once from the module file, and one cached ITypeInfo per
// dispatch interface. IDispatch of every class delegates to these.
#pragma once

#include "com/win.h"

namespace docket::com {

// Returns a borrowed (not AddRef'ed) type description of the interface, or null with the failure
// in *hr. Safe on any thread: the first caller to finish loading wins, the others drop their copy.
ITypeInfo* TypeInfoFor(REFIID iid, HRESULT* hr);

// Loads the module's own type library (falling back to the .tlb beside the module).
HRESULT LoadModuleTypeLib(ITypeLib** lib);

// Drops the cache; called when the module is unloaded by FreeLibrary.
void ReleaseTypeInfoCache();

}  // namespace docket::com
