// The base of every class of the module: reference counting, the module lock, the interface table
// for QueryInterface, aggregation, ISupportErrorInfo for the class's own dispatch interface, and
// the two ways an object comes to life (from a class object, or made internally by its parent).
//
//   class File : public ComObject<File, IFile, IFileInit> { static const CLSID& ClassId(); ... };
//
// Derived may define `HRESULT FinalConstruct()`; it runs with the count held at 1, and its failure
// destroys the object.
#pragma once

#include "com/com_ptr.h"
#include "com/dispatch_impl.h"
#include "com/guard.h"
#include "com/module_state.h"
#include "com/win.h"

#include <new>

namespace docket::com {

template <class Derived, class DispInterface, class... Extra>
class ComObject : public DispatchImpl<DispInterface>, public ISupportErrorInfo, public Extra... {
 public:
  using Dispatch = DispInterface;

  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  // IUnknown of every interface goes to the controlling unknown: the object itself, or the
  // outer object that aggregates it.
  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
    return controller_->QueryInterface(iid, ppv);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return controller_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return controller_->Release(); }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
    return ::IsEqualIID(iid, __uuidof(DispInterface)) ? S_OK : S_FALSE;
  }

  // Creation by a class object (or a client through one): aggregation is allowed only when the
  // outer object asks for the inner IUnknown.
  static HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer && !::IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    ComPtr<IUnknown> inner;
    DOCKET_RETURN_IF_FAILED(Construct(outer, inner.put()));
    return inner->QueryInterface(iid, ppv);
  }

  // Internal creation: a new, unaggregated object that the caller then initialises through its
  // private interface before handing out the dispatch interface.
  static HRESULT Create(ComPtr<Derived>* out) {
    ComPtr<IUnknown> inner;
    DOCKET_RETURN_IF_FAILED(Construct(nullptr, inner.put()));
    *out = ComPtr<Derived>::Attach(static_cast<Inner*>(inner.detach())->self);
    return S_OK;
  }

 protected:
  ComObject() { ModuleState::Lock(); }
  ~ComObject() { ModuleState::Unlock(); }

  HRESULT FinalConstruct() { return S_OK; }

  // Guards the object's own mutable state where a class has any (threading model "Both").
  SRWLOCK objectLock_ = SRWLOCK_INIT;

 private:
  // The non-delegating IUnknown: the object's identity when not aggregated, and what the outer
  // object holds when it is.
  struct Inner final : IUnknown {
    explicit Inner(ComObject* s) : self(static_cast<Derived*>(s)) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
      return self->InternalQueryInterface(iid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return self->InternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return self->InternalRelease(); }
    Derived* self;
  };

  static HRESULT Construct(IUnknown* outer, IUnknown** inner) {
    *inner = nullptr;
    Derived* obj = nullptr;
    HRESULT hr = Guarded([&] {
      obj = new Derived();
      return S_OK;
    });
    if (FAILED(hr)) return hr;
    if (outer) obj->controller_ = outer;
    obj->InternalAddRef();  // held at 1 while the final step runs
    hr = Guarded([&] { return obj->FinalConstruct(); });
    if (FAILED(hr)) {
      obj->InternalRelease();
      return hr;
    }
    *inner = &obj->inner_;
    return S_OK;
  }

  HRESULT InternalQueryInterface(REFIID iid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    IUnknown* found = nullptr;
    if (::IsEqualIID(iid, IID_IUnknown)) {
      found = &inner_;
    } else if (::IsEqualIID(iid, IID_IDispatch) || ::IsEqualIID(iid, __uuidof(DispInterface))) {
      found = static_cast<DispInterface*>(this);
    } else if (::IsEqualIID(iid, IID_ISupportErrorInfo)) {
      found = static_cast<ISupportErrorInfo*>(this);
    } else {
      (void)((::IsEqualIID(iid, __uuidof(Extra)) && (found = static_cast<Extra*>(this))) || ...);
    }
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    *ppv = found;
    return S_OK;
  }

  ULONG InternalAddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG InternalRelease() {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete static_cast<Derived*>(this);
    return static_cast<ULONG>(left);
  }

  volatile LONG refs_ = 0;
  Inner inner_{this};
  IUnknown* controller_ = &inner_;
};

}  // namespace docket::com
