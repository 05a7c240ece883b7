// One access-control entry of a file or folder, in the rights vocabulary scripts use. Made by a
// permission enumerator for one entry of its list copy, which it keeps alive; nothing about it
// changes afterwards but the trustee text, filled on first read.
#pragma once

#include "com/com_object.h"
#include "security/acl_holder.h"
#include "security/acl_list.h"
#include "security/rights_model.h"

#include <memory>
#include <string>

namespace docket {

class PermItem final : public com::ComObject<PermItem, IPermItem> {
 public:
  static const CLSID& ClassId() { return CLSID_PermItem; }

  // A new item for entry `index` of `list` (of a file's list when `fileItem`), with the rights of
  // the running system version.
  static HRESULT Make(std::shared_ptr<const AclList> list, size_t index,
                      std::shared_ptr<AclHolder> holder, bool fileItem, IDispatch** out);

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

 private:
  bool Bound() const { return entry_.bytes != nullptr; }
  HRESULT ReturnRight(uint32_t right, VARIANT_BOOL* out) const;
  HRESULT ReturnGroup(rights::Group group, QFAccessType* out) const;

  // An item made any other way than by an enumerator has no entry; its members refuse.
  std::shared_ptr<const AclList> list_;  // keeps entry_ alive
  AclEntry entry_;
  std::shared_ptr<AclHolder> holder_;
  rights::RightsValue rights_;
  rights::GroupStates groups_{};
  bool fileItem_ = false;
  std::string trustee_;  // empty until read (objectLock_)
};

}  // namespace docket
