#include "fsobjects/keyed_collection.h"

#include "dictionary/dictionary.h"

namespace docket::keyed_collection {

HRESULT CreateStore(com::ComPtr<IDictionary>* store) {
  com::ComPtr<Dictionary> dictionary;
  if (FAILED(Dictionary::Create(&dictionary))) return E_OUTOFMEMORY;
  *store = com::ComPtr<IDictionary>::Attach(dictionary.detach());
  return S_OK;
}

HRESULT QueryElement(const VARIANT& item, REFIID iid, void** element) {
  if ((V_VT(&item) != VT_DISPATCH && V_VT(&item) != VT_UNKNOWN) || !V_UNKNOWN(&item))
    return E_NOINTERFACE;
  return V_UNKNOWN(&item)->QueryInterface(iid, element);
}

}  // namespace docket::keyed_collection
