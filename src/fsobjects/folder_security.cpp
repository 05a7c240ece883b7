// A folder's access-control list: its entries are read through For Each over the folder; the
// members that would change the list or the owner are not provided, nor is Accessible.
#include "fsobjects/folder.h"
#include "security/permission_enumerator.h"

namespace docket {

STDMETHODIMP Folder::get__NewEnum(IUnknown** ppEnum) {
  if (!ppEnum) return E_POINTER;
  *ppEnum = nullptr;
  return WithPath([&](const std::string& path) {
    return NewPermissionEnumerator(ClassId(), aclHolder_, path, false, ppEnum);
  });
}

STDMETHODIMP Folder::UseAcl(const ACL* acl) {
  return com::Guarded([&] { return aclHolder_.Get()->Give(acl) ? S_OK : E_INVALIDARG; });
}

STDMETHODIMP Folder::AllowAccess(BSTR AccountName, QFPermissionRights Val,
                                 QFPermissionRightsType Type) {
  return E_NOTIMPL;
}
STDMETHODIMP Folder::DenyAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP Folder::RevokeAllowance(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP Folder::RevokeDenial(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Owner(BSTR* pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP Folder::put_Owner(BSTR pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Permissions(IDispatch** ppPermissions) { return E_NOTIMPL; }
STDMETHODIMP Folder::OrderPermissions() { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Accessible(LONG* pAccessible) { return E_NOTIMPL; }

}  // namespace docket
