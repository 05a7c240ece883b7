// What the test objects that answer IDispatch share: a reference count that starts at 1 (the
// creator's), QueryInterface for IUnknown and IDispatch only, and no type information.
#pragma once

#include "com/win.h"

namespace docket::test {

class TestDispatch : public IDispatch {
 public:
  LONG refs() const { return refs_; }

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

 protected:
  TestDispatch() = default;
  virtual ~TestDispatch() = default;

 private:
  LONG refs_ = 1;
};

}  // namespace docket::test
