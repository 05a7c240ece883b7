// A file's access-control list: its entries are read through For Each over the file; the members
// that would change the list or the owner are not provided.
#include "fsobjects/file.h"
#include "security/permission_enumerator.h"

namespace docket {

STDMETHODIMP File::get__NewEnum(IUnknown** ppEnum) {
  if (!ppEnum) return E_POINTER;
  *ppEnum = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    return NewPermissionEnumerator(ClassId(), aclHolder_, here.path, true, ppEnum);
  });
}

STDMETHODIMP File::UseAcl(const ACL* acl) {
  return com::Guarded([&] { return aclHolder_.Get()->Give(acl) ? S_OK : E_INVALIDARG; });
}

STDMETHODIMP File::AllowAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP File::DenyAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP File::RevokeAllowance(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP File::RevokeDenial(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP File::get_Owner(BSTR* pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP File::put_Owner(BSTR pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP File::get_Permissions(IDispatch** ppPermissions) { return E_NOTIMPL; }
STDMETHODIMP File::OrderPermissions() { return E_NOTIMPL; }

}  // namespace docket
