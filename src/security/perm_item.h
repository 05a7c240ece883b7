// One access-control entry of a file or folder, in the rights vocabulary scripts use.
#pragma once

#include "com/com_object.h"

namespace docket {

class PermItem final : public com::ComObject<PermItem, IPermItem> {
 public:
  static const CLSID& ClassId() { return CLSID_PermItem; }

  // IPermItem
  STDMETHODIMP get_AccessRights(QFPermissionRights* pRights) override;
  STDMETHODIMP get_Trustee(BSTR* pbstrTrustee) override;
  STDMETHODIMP get_NoAccess(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_Read(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_Write(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_Execute(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_Delete(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_Permissions(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_Ownership(VARIANT_BOOL* pVal) override;
  STDMETHODIMP get_RightsType(QFPermissionRightsType* pType) override;
  STDMETHODIMP RemoveEntry() override;
  STDMETHODIMP get_Write2(QFAccessType* pVal) override;
  STDMETHODIMP get_Read2(QFAccessType* pVal) override;
  STDMETHODIMP get_ListContents2(QFAccessType* pVal) override;
  STDMETHODIMP get_ReadExecute2(QFAccessType* pVal) override;
  STDMETHODIMP get_Modify2(QFAccessType* pVal) override;
  STDMETHODIMP get_FullControl2(QFAccessType* pVal) override;
};

}  // namespace docket
