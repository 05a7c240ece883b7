// Members of File that are not built yet answer E_NOTIMPL.
#include "fsobjects/file.h"

namespace docket {

STDMETHODIMP File::get_Type(BSTR* pbstrType) { return E_NOTIMPL; }
STDMETHODIMP File::get_MimeType(BSTR* pbstrMimeType) { return E_NOTIMPL; }
STDMETHODIMP File::get_Drive(IDrive** ppdrive) { return E_NOTIMPL; }

}  // namespace docket
