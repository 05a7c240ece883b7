// Members of PermItem that are not built yet answer E_NOTIMPL.
#include "security/perm_item.h"

namespace docket {

STDMETHODIMP PermItem::get_AccessRights(QFPermissionRights* pRights) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Trustee(BSTR* pbstrTrustee) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_NoAccess(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Read(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Write(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Execute(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Delete(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Permissions(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Ownership(VARIANT_BOOL* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_RightsType(QFPermissionRightsType* pType) { return E_NOTIMPL; }
STDMETHODIMP PermItem::RemoveEntry() { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Write2(QFAccessType* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Read2(QFAccessType* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_ListContents2(QFAccessType* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_ReadExecute2(QFAccessType* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_Modify2(QFAccessType* pVal) { return E_NOTIMPL; }
STDMETHODIMP PermItem::get_FullControl2(QFAccessType* pVal) { return E_NOTIMPL; }

}  // namespace docket
