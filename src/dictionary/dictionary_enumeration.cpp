// _NewEnum: an enumerator over a copy of the items taken now, in key order, so that later
// changes to the dictionary never reach a running For Each.
#include "dictionary/dictionary.h"

#include "com/guard.h"
#include "dictionary/srw_guard.h"
#include "dictionary/variant_enumerator.h"

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
      SharedGuard guard(objectLock_);
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

}  // namespace docket
