#include "module/class_factory.h"

#include "com/module_state.h"
#include "com/srw_guard.h"

namespace docket {

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, IID_IClassFactory))
    return E_NOINTERFACE;
  AddRef();
  *ppv = static_cast<IClassFactory*>(this);
  return S_OK;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() {
  com::ExclusiveGuard guard(lock_);
  const LONG refs = ++refs_;
  if (refs == 2) com::ModuleState::Lock();  // a client now holds the class object
  return static_cast<ULONG>(refs);
}

STDMETHODIMP_(ULONG) ClassFactory::Release() {
  LONG refs;
  {
    com::ExclusiveGuard guard(lock_);
    refs = --refs_;
    if (refs == 1) com::ModuleState::Unlock();  // back to the cache's reference alone
  }
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer && !::IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  return create_(outer, iid, ppv);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
  if (lock)
    com::ModuleState::Lock();
  else
    com::ModuleState::Unlock();
  return S_OK;
}

}  // namespace docket
