// Members of Folder that are not built yet answer E_NOTIMPL.
#include "fsobjects/folder.h"

namespace docket {

STDMETHODIMP Folder::get__NewEnum(IUnknown** ppEnum) { return E_NOTIMPL; }
STDMETHODIMP Folder::AllowAccess(BSTR AccountName, QFPermissionRights Val, QFPermissionRightsType Type) { return E_NOTIMPL; }
STDMETHODIMP Folder::OrderPermissions() { return E_NOTIMPL; }
STDMETHODIMP Folder::DenyAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP Folder::RevokeAllowance(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP Folder::RevokeDenial(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Owner(BSTR* pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP Folder::put_Owner(BSTR pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Permissions(IDispatch** ppPermissions) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Accessible(LONG* pAccessible) { return E_NOTIMPL; }

}  // namespace docket
