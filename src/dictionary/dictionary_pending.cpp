// Members of Dictionary that are not built yet answer E_NOTIMPL.
#include "dictionary/dictionary.h"

namespace docket {

STDMETHODIMP Dictionary::putref_Item(VARIANT* Key, VARIANT* pRetItem) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::put_Item(VARIANT* Key, VARIANT* pRetItem) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::get_Item(VARIANT* Key, VARIANT* pRetItem) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::get_Count(LONG* pCount) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::get__NewEnum(IUnknown** ppunk) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::Add(VARIANT* Key, VARIANT* Item) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::Exists(VARIANT* Key, VARIANT_BOOL* pExists) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::Items(VARIANT* pItemsArray) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::put_Key(VARIANT* Key, VARIANT* rhs) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::Keys(VARIANT* pKeysArray) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::Remove(VARIANT* Key) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::RemoveAll() { return E_NOTIMPL; }
STDMETHODIMP Dictionary::put_CompareMode(CompareMethod pcomp) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::get_CompareMode(CompareMethod* pcomp) { return E_NOTIMPL; }
STDMETHODIMP Dictionary::get_HashVal(VARIANT* Key, VARIANT* HashVal) { return E_NOTIMPL; }

}  // namespace docket
