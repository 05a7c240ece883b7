// Members of File that are not built yet answer E_NOTIMPL.
#include "fsobjects/file.h"

namespace docket {

STDMETHODIMP File::get__NewEnum(IUnknown** ppEnum) { return E_NOTIMPL; }
STDMETHODIMP File::AllowAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP File::DenyAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP File::RevokeAllowance(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP File::RevokeDenial(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP File::get_Owner(BSTR* pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP File::put_Owner(BSTR pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP File::Encrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }
STDMETHODIMP File::Decrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }
STDMETHODIMP File::get_Permissions(IDispatch** ppPermissions) { return E_NOTIMPL; }
STDMETHODIMP File::get_ImageWidth(LONG* pWidth) { return E_NOTIMPL; }
STDMETHODIMP File::get_ImageHeight(LONG* pHeight) { return E_NOTIMPL; }
STDMETHODIMP File::get_ImageColor(LONG* pColors) { return E_NOTIMPL; }
STDMETHODIMP File::OrderPermissions() { return E_NOTIMPL; }

}  // namespace docket
