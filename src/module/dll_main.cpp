// The module's entry point and its four exports.
#include "com/guard.h"
#include "com/module_state.h"
#include "com/type_info_cache.h"
#include "module/class_table.h"
#include "module/policy.h"
#include "module/registration.h"

using docket::ClassFactory;
using docket::ClassRow;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    docket::com::ModuleState::SetInstance(instance);
    ::DisableThreadLibraryCalls(instance);
    docket::Policy::Load();
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary: the COM runtime is still there to take our references back. At
    // process exit it may already be gone, so nothing is released then.
    docket::ReleaseClassObjects();
    docket::com::ReleaseTypeInfoCache();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  ClassRow* row = docket::FindClassRow(clsid);
  if (!row) return CLASS_E_CLASSNOTAVAILABLE;
  ClassFactory* factory = nullptr;
  const HRESULT created = docket::ClassObjectFor(*row, &factory);
  if (FAILED(created)) return created;
  const HRESULT hr = factory->QueryInterface(iid, ppv);
  if (SUCCEEDED(hr) && !*ppv) return CLASS_E_CLASSNOTAVAILABLE;
  return hr;
}

STDAPI DllCanUnloadNow() { return docket::com::ModuleState::LockCount() == 0 ? S_OK : S_FALSE; }

// The registry work builds its key names in memory; a failed allocation is a result, not an
// exception in the registering program.
STDAPI DllRegisterServer() {
  return docket::com::Guarded([] {
    for (const ClassRow& row : docket::ClassTable()) {
      const HRESULT hr = docket::RunRegistrationScript(row.registrationScript, *row.clsid, true);
      if (FAILED(hr)) return hr;
    }
    return docket::RegisterModuleTypeLib();
  });
}

STDAPI DllUnregisterServer() {
  return docket::com::Guarded([] {
    for (const ClassRow& row : docket::ClassTable())
      docket::RunRegistrationScript(row.registrationScript, *row.clsid, false);
    docket::UnregisterModuleTypeLib();
    return S_OK;
  });
}
