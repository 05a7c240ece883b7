// The class object of one class-table row. The class table's cache holds one reference of its
// own; while any client holds it too, it counts once in the module lock.
#pragma once

#include "com/win.h"

namespace docket {

using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID iid, void** ppv);

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(InstanceCreator create) : create_(create) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** ppv) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ~ClassFactory() = default;

  InstanceCreator create_;
  SRWLOCK lock_ = SRWLOCK_INIT;  // the count and the module lock change together
  LONG refs_ = 1;                // the cache's own reference
};

}  // namespace docket
