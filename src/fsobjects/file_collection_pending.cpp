// Members of FileCollection that are not built yet answer E_NOTIMPL.
#include "fsobjects/file_collection.h"

namespace docket {

STDMETHODIMP FileCollection::get_Item(VARIANT Key, IFile** ppfile) { return E_NOTIMPL; }
STDMETHODIMP FileCollection::get__NewEnum(IUnknown** ppenum) { return E_NOTIMPL; }
STDMETHODIMP FileCollection::get_Count(LONG* plCount) { return E_NOTIMPL; }
STDMETHODIMP FileCollection::Add(VARIANT* key, VARIANT* item) { return E_NOTIMPL; }

}  // namespace docket
