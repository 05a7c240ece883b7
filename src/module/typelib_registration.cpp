#include "com/com_ptr.h"
#include "com/guard.h"
#include "com/module_state.h"
#include "com/type_info_cache.h"
#include "module/registration.h"

#include <string>

namespace docket {

HRESULT RegisterModuleTypeLib() {
  com::ComPtr<ITypeLib> lib;
  DOCKET_RETURN_IF_FAILED(com::LoadModuleTypeLib(lib.put()));
  std::wstring path = com::ModuleState::Path();
  std::wstring helpDir = path.substr(0, path.find_last_of(L"\\/:") + 1);
  return ::RegisterTypeLib(lib.get(), path.data(), helpDir.data());
}

HRESULT UnregisterModuleTypeLib() {
  com::ComPtr<ITypeLib> lib;
  DOCKET_RETURN_IF_FAILED(com::LoadModuleTypeLib(lib.put()));
  TLIBATTR* attr = nullptr;
  DOCKET_RETURN_IF_FAILED(lib->GetLibAttr(&attr));
  const TLIBATTR a = *attr;
  lib->ReleaseTLibAttr(attr);

  // Looked up by name: older platforms lack it, and then there is nothing to undo.
  using UnRegisterFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
  HMODULE oleaut = ::GetModuleHandleW(L"oleaut32.dll");
  auto unregister =
      oleaut ? reinterpret_cast<UnRegisterFn>(
                     reinterpret_cast<void*>(::GetProcAddress(oleaut, "UnRegisterTypeLib")))
             : nullptr;
  if (!unregister) return S_OK;
  return unregister(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
}

}  // namespace docket
