// Copies of the whole dictionary taken now, in key order, so that later changes never reach them:
// _NewEnum (an enumerator over the items, for a running For Each) and the Keys and Items arrays.
#include "dictionary/dictionary.h"

#include "com/guard.h"
#include "com/srw_guard.h"
#include "dictionary/variant_enumerator.h"
#include "streams/safe_array.h"

#include <memory>
#include <utility>

namespace docket {

STDMETHODIMP Dictionary::get__NewEnum(IUnknown** ppunk) {
  if (!ppunk) return E_POINTER;
  *ppunk = nullptr;
  return com::Guarded([&]() -> HRESULT {
    auto items = std::make_shared<VariantEnumerator::Items>();
    HRESULT hr = S_OK;
    {
      com::SharedGuard guard(objectLock_);
      items->reserve(entries_.size());
      entries_.ForEach([&](const Entries::Entry& entry) {
        hr = entry.value.CopyTo(items->emplace_back().get());
        return SUCCEEDED(hr);
      });
    }
    DOCKET_RETURN_IF_FAILED(hr);
    IEnumVARIANT* enumerator = nullptr;
    DOCKET_RETURN_IF_FAILED(VariantEnumerator::Create(std::move(items), &enumerator));
    *ppunk = enumerator;
    return S_OK;
  });
}

template <class Fill>
HRESULT Dictionary::SnapshotArray(VARIANT* out, Fill fill) {
  // Declared before the lock, so that on a failure the copies made so far (objects among them)
  // are released after it is dropped.
  streams::UniqueSafeArray array;
  {
    com::SharedGuard guard(objectLock_);
    array.reset(::SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(entries_.size())));
    if (!array) return E_OUTOFMEMORY;
    streams::SafeArrayData<VARIANT> elements(array.get());
    DOCKET_RETURN_IF_FAILED(elements.result());
    VARIANT* element = elements.data();
    HRESULT hr = S_OK;
    entries_.ForEach([&](const Entries::Entry& entry) {
      hr = fill(entry, element++);
      return SUCCEEDED(hr);
    });
    DOCKET_RETURN_IF_FAILED(hr);
  }
  array.DetachInto(out, VT_VARIANT);
  return S_OK;
}

STDMETHODIMP Dictionary::Keys(VARIANT* pKeysArray) {
  if (!pKeysArray) return E_POINTER;
  ::VariantInit(pKeysArray);
  return SnapshotArray(pKeysArray, [](const Entries::Entry& entry, VARIANT* element) {
    BSTR key = ::SysAllocStringLen(entry.key.data(), static_cast<UINT>(entry.key.size()));
    if (!key) return E_OUTOFMEMORY;
    V_VT(element) = VT_BSTR;
    V_BSTR(element) = key;
    return S_OK;
  });
}

STDMETHODIMP Dictionary::Items(VARIANT* pItemsArray) {
  if (!pItemsArray) return E_POINTER;
  ::VariantInit(pItemsArray);
  return SnapshotArray(pItemsArray, [](const Entries::Entry& entry, VARIANT* element) {
    return entry.value.CopyTo(element);
  });
}

}  // namespace docket
