// Members of FolderCollection that are not built yet answer E_NOTIMPL.
#include "fsobjects/folder_collection.h"

namespace docket {

STDMETHODIMP FolderCollection::get_Item(VARIANT Key, IFolder** ppfolder) { return E_NOTIMPL; }
STDMETHODIMP FolderCollection::get__NewEnum(IUnknown** ppenum) { return E_NOTIMPL; }
STDMETHODIMP FolderCollection::get_Count(LONG* plCount) { return E_NOTIMPL; }
STDMETHODIMP FolderCollection::Add(VARIANT* key, VARIANT* item) { return E_NOTIMPL; }

}  // namespace docket
