#include "dictionary/variant_enumerator.h"

#include "com/module_state.h"
#include "dictionary/srw_guard.h"

#include <algorithm>
#include <new>
#include <utility>

namespace docket {

VariantEnumerator::VariantEnumerator(std::shared_ptr<const Items> items, size_t position)
    : items_(std::move(items)), position_(position) {
  com::ModuleState::Lock();
}

VariantEnumerator::~VariantEnumerator() { com::ModuleState::Unlock(); }

HRESULT VariantEnumerator::Create(std::shared_ptr<const Items> items, IEnumVARIANT** out) {
  return Make(std::move(items), 0, out);
}

HRESULT VariantEnumerator::Make(std::shared_ptr<const Items> items, size_t position,
                                IEnumVARIANT** out) {
  *out = new (std::nothrow) VariantEnumerator(std::move(items), position);
  return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP VariantEnumerator::QueryInterface(REFIID iid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, IID_IEnumVARIANT))
    return E_NOINTERFACE;
  AddRef();
  *ppv = static_cast<IEnumVARIANT*>(this);
  return S_OK;
}

STDMETHODIMP_(ULONG) VariantEnumerator::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) VariantEnumerator::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP VariantEnumerator::Next(ULONG count, VARIANT* items, ULONG* fetched) {
  if (!items || (count != 1 && !fetched)) return E_POINTER;
  ExclusiveGuard guard(lock_);
  const size_t available = std::min<size_t>(count, items_->size() - position_);
  for (size_t i = 0; i < available; ++i) {
    ::VariantInit(&items[i]);  // an output array holds no values of the caller's yet
    const HRESULT hr = (*items_)[position_ + i].CopyTo(&items[i]);
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

STDMETHODIMP VariantEnumerator::Skip(ULONG count) {
  ExclusiveGuard guard(lock_);
  const size_t left = items_->size() - position_;
  if (count >= left) {
    position_ = items_->size();
    return S_FALSE;
  }
  position_ += count;
  return S_OK;
}

STDMETHODIMP VariantEnumerator::Reset() {
  ExclusiveGuard guard(lock_);
  position_ = 0;
  return S_OK;
}

STDMETHODIMP VariantEnumerator::Clone(IEnumVARIANT** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  ExclusiveGuard guard(lock_);
  return Make(items_, position_, out);
}

}  // namespace docket
