// An enumerator of variants over a list that never changes, for For Each in VBScript and
// Enumerator in JScript. Clones share the list and keep their own position. It is not in the type
// library: a plain COM object that counts toward the module lock.
//
// List answers `size_t Count() const` and `HRESULT CopyItem(size_t index, VARIANT* out) const`
// (out is empty on entry). An enumerator made without a list has nothing to give: its Next fails
// with E_FAIL.
#pragma once

#include "com/module_state.h"
#include "com/srw_guard.h"
#include "com/win.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

namespace docket::com {

template <class List>
class ListEnumerator final : public IEnumVARIANT {
 public:
  using Items = List;

  // A new enumerator at the first item; E_OUTOFMEMORY when it cannot be made.
  static HRESULT Create(std::shared_ptr<const List> list, IEnumVARIANT** out) {
    return Make(std::move(list), 0, out);
  }

  ListEnumerator(const ListEnumerator&) = delete;
  ListEnumerator& operator=(const ListEnumerator&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, IID_IEnumVARIANT))
      return E_NOINTERFACE;
    AddRef();
    *ppv = static_cast<IEnumVARIANT*>(this);
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(::InterlockedIncrement(&refs_));
  }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IEnumVARIANT
  STDMETHODIMP Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    if (!items || (count != 1 && !fetched)) return E_POINTER;
    if (!list_) return E_FAIL;
    ExclusiveGuard guard(lock_);
    const size_t available = std::min<size_t>(count, list_->Count() - position_);
    for (size_t i = 0; i < available; ++i) {
      ::VariantInit(&items[i]);  // an output array holds no values of the caller's yet
      const HRESULT hr = list_->CopyItem(position_ + i, &items[i]);
      if (FAILED(hr)) {
        for (size_t done = 0; done < i; ++done) ::VariantClear(&items[done]);
        if (fetched) *fetched = 0;
        return hr;
      }
    }
    position_ += available;
    if (fetched) *fetched = static_cast<ULONG>(available);
    return available < count ? S_FALSE : S_OK;
  }

  STDMETHODIMP Skip(ULONG count) override {
    ExclusiveGuard guard(lock_);
    const size_t end = Count();
    if (count >= end - position_) {
      position_ = end;
      return S_FALSE;
    }
    position_ += count;
    return S_OK;
  }

  STDMETHODIMP Reset() override {
    ExclusiveGuard guard(lock_);
    position_ = 0;
    return S_OK;
  }

  STDMETHODIMP Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    ExclusiveGuard guard(lock_);
    return Make(list_, position_, out);
  }

 private:
  ListEnumerator(std::shared_ptr<const List> list, size_t position)
      : list_(std::move(list)), position_(position) {
    ModuleState::Lock();
  }
  ~ListEnumerator() { ModuleState::Unlock(); }

  static HRESULT Make(std::shared_ptr<const List> list, size_t position, IEnumVARIANT** out) {
    *out = new (std::nothrow) ListEnumerator(std::move(list), position);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  size_t Count() const { return list_ ? list_->Count() : 0; }

  volatile LONG refs_ = 1;
  const std::shared_ptr<const List> list_;
  // Guarded by lock_: an enumerator may be handed between threads (threading model "Both").
  size_t position_;
  SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace docket::com
