// The members that answer success and do nothing: they change no entry and write nothing to
// their outputs, so a caller's value in an output stays as the caller set it.
#include "dictionary/dictionary.h"

namespace docket {

STDMETHODIMP Dictionary::putref_Item(VARIANT*, VARIANT*) { return S_OK; }
STDMETHODIMP Dictionary::Exists(VARIANT*, VARIANT_BOOL*) { return S_OK; }
STDMETHODIMP Dictionary::Items(VARIANT*) { return S_OK; }
STDMETHODIMP Dictionary::put_Key(VARIANT*, VARIANT*) { return S_OK; }
STDMETHODIMP Dictionary::Keys(VARIANT*) { return S_OK; }
STDMETHODIMP Dictionary::Remove(VARIANT*) { return S_OK; }
STDMETHODIMP Dictionary::RemoveAll() { return S_OK; }
STDMETHODIMP Dictionary::put_CompareMode(CompareMethod) { return S_OK; }
STDMETHODIMP Dictionary::get_CompareMode(CompareMethod*) { return S_OK; }
STDMETHODIMP Dictionary::get_HashVal(VARIANT*, VARIANT*) { return S_OK; }

}  // namespace docket
