// What the test objects that answer IDispatch (or an interface built on it) share: a reference
// count that starts at 1 (the creator's), QueryInterface for IUnknown, IDispatch and their own
// interface only, and no type information.
#pragma once

#include "com/win.h"

namespace docket::test {

template <class Interface = IDispatch>
class TestObject : public Interface {
 public:
  LONG refs() const { return refs_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
    *ppv = nullptr;
    for (const IID* answered : {&IID_IUnknown, &IID_IDispatch, &__uuidof(Interface)}) {
      if (!::IsEqualIID(iid, *answered)) continue;
      *ppv = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
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
  TestObject() = default;
  virtual ~TestObject() = default;

 private:
  LONG refs_ = 1;
};
using TestDispatch = TestObject<>;

}  // namespace docket::test
