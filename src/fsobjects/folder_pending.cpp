// Members of Folder that are not built yet answer E_NOTIMPL.
#include "fsobjects/folder.h"

namespace docket {

STDMETHODIMP Folder::get_Drive(IDrive** ppdrive) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Type(BSTR* pbstrType) { return E_NOTIMPL; }

}  // namespace docket
