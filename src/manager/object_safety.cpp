// IObjectSafety: the object declares itself safe for untrusted callers and keeps the options a
// container enables; no operation of the component depends on them.
#include "manager/file_manager.h"

namespace docket {

namespace {
constexpr DWORD kSupportedOptions = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
}

STDMETHODIMP FileManager::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported,
                                                    DWORD* enabled) {
  if (!supported || !enabled) return E_POINTER;
  com::ComPtr<IUnknown> probe;
  const HRESULT hr = QueryInterface(iid, probe.put_void());
  if (FAILED(hr)) {
    *supported = 0;
    *enabled = 0;
    return hr;
  }
  *supported = kSupportedOptions;
  ::AcquireSRWLockShared(&objectLock_);
  *enabled = safetyOptions_;
  ::ReleaseSRWLockShared(&objectLock_);
  return S_OK;
}

STDMETHODIMP FileManager::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) {
  com::ComPtr<IUnknown> probe;
  if (FAILED(QueryInterface(iid, probe.put_void()))) return E_NOINTERFACE;
  if (mask & ~kSupportedOptions) return E_FAIL;
  ::AcquireSRWLockExclusive(&objectLock_);
  safetyOptions_ = (safetyOptions_ & ~mask) | (enabled & mask);
  ::ReleaseSRWLockExclusive(&objectLock_);
  return S_OK;
}

}  // namespace docket
