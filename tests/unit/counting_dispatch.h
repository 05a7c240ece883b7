// A test object that counts its own references and notes its destruction, to see exactly who
// holds it, and notes how it was last invoked, to see what a script engine asks of a collection.
// It answers IUnknown and IDispatch (with no members) only.
#pragma once

#include "com/win.h"

#include <functional>
#include <utility>

namespace docket::test {

class CountingDispatch final : public IDispatch {
 public:
  // A new object with one reference, the caller's; *destroyed becomes true when it goes, and
  // then `onDestroyed` runs (to call back into whoever released it last).
  static CountingDispatch* New(bool* destroyed, std::function<void()> onDestroyed = {}) {
    return new CountingDispatch(destroyed, std::move(onDestroyed));
  }

  LONG refs() const { return refs_; }
  DISPID lastInvokedId() const { return lastId_; }
  WORD lastInvokedFlags() const { return lastFlags_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
    *ppv = nullptr;
    if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, IID_IDispatch)) return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = --refs_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    lastId_ = id;
    lastFlags_ = flags;
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  CountingDispatch(bool* destroyed, std::function<void()> onDestroyed)
      : destroyed_(destroyed), onDestroyed_(std::move(onDestroyed)) {
    *destroyed_ = false;
  }
  ~CountingDispatch() {
    *destroyed_ = true;
    if (onDestroyed_) onDestroyed_();
  }

  LONG refs_ = 1;
  bool* destroyed_;
  std::function<void()> onDestroyed_;
  DISPID lastId_ = DISPID_UNKNOWN;
  WORD lastFlags_ = 0;
};

// A variant that refers to the caller's pointer, as a folder hands a new object over to Add.
inline VARIANT ByReference(IDispatch** held) {
  VARIANT v;
  V_VT(&v) = VT_BYREF | VT_DISPATCH;
  V_DISPATCHREF(&v) = held;
  return v;
}

}  // namespace docket::test
