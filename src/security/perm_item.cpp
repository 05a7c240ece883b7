// What a permission entry tells: its rights and right groups, worked out when the item was made,
// and its trustee, looked up when first read.
#include "security/perm_item.h"

#include "com/ansi.h"
#include "com/srw_guard.h"
#include "module/error_report.h"
#include "security/account_lookup.h"

namespace docket {
namespace {

// The major version of the running system; 0 when the platform does not tell.
DWORD SystemMajorVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return ::GetVersionExA(&version) ? version.dwMajorVersion : 0;
}

constexpr VARIANT_BOOL ToVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

}  // namespace

HRESULT PermItem::Make(std::shared_ptr<const AclList> list, size_t index,
                       std::shared_ptr<AclHolder> holder, bool fileItem, IDispatch** out) {
  *out = nullptr;
  const std::optional<AclEntry> entry = list->Entry(index);
  if (!entry) return E_UNEXPECTED;  // a copy the platform itself made always reads
  com::ComPtr<PermItem> item;
  DOCKET_RETURN_IF_FAILED(Create(&item));
  const DWORD version = SystemMajorVersion();
  item->list_ = std::move(list);
  item->entry_ = *entry;
  item->holder_ = std::move(holder);
  item->rights_ = rights::RightsOf(entry->layout.facts, version);
  item->groups_ = rights::GroupStatesOf(entry->layout.facts, version);
  item->fileItem_ = fileItem;
  *out = static_cast<IPermItem*>(item.detach());
  return S_OK;
}

STDMETHODIMP PermItem::get_AccessRights(QFPermissionRights* pRights) {
  DOCKET_RETURN_IF_NULL(pRights);
  if (!Bound()) return E_UNEXPECTED;
  *pRights = static_cast<QFPermissionRights>(rights_.rights);
  return S_OK;
}

HRESULT PermItem::ReturnRight(uint32_t right, VARIANT_BOOL* out) const {
  DOCKET_RETURN_IF_NULL(out);
  if (!Bound()) return E_UNEXPECTED;
  *out = ToVariantBool(rights_.Has(right));
  return S_OK;
}

STDMETHODIMP PermItem::get_NoAccess(VARIANT_BOOL* pVal) { return ReturnRight(rights::kNoAccess, pVal); }
STDMETHODIMP PermItem::get_Read(VARIANT_BOOL* pVal) { return ReturnRight(rights::kRead, pVal); }
STDMETHODIMP PermItem::get_Write(VARIANT_BOOL* pVal) { return ReturnRight(rights::kWrite, pVal); }
STDMETHODIMP PermItem::get_Execute(VARIANT_BOOL* pVal) { return ReturnRight(rights::kExecute, pVal); }
STDMETHODIMP PermItem::get_Delete(VARIANT_BOOL* pVal) { return ReturnRight(rights::kDelete, pVal); }
STDMETHODIMP PermItem::get_Permissions(VARIANT_BOOL* pVal) {
  return ReturnRight(rights::kPermissions, pVal);
}
STDMETHODIMP PermItem::get_Ownership(VARIANT_BOOL* pVal) { return ReturnRight(rights::kOwner, pVal); }

STDMETHODIMP PermItem::get_RightsType(QFPermissionRightsType* pType) {
  DOCKET_RETURN_IF_NULL(pType);
  if (!Bound()) return E_UNEXPECTED;
  *pType = static_cast<QFPermissionRightsType>(
      rights::RightsTypeOf(fileItem_, entry_.layout.facts.flags));
  return S_OK;
}

HRESULT PermItem::ReturnGroup(rights::Group group, QFAccessType* out) const {
  DOCKET_RETURN_IF_NULL(out);
  if (!Bound()) return E_UNEXPECTED;
  if (rights_.systemVersion < rights::kWindows2000)
    return ReportError(ClassId(), L"This property requires Windows 2000", 0);
  // A file's entry lists no folder contents.
  const bool listsNothing = group == rights::kListContentsGroup && fileItem_;
  *out = static_cast<QFAccessType>(listsNothing ? rights::kGroupNotSet : groups_[group]);
  return S_OK;
}

STDMETHODIMP PermItem::get_Write2(QFAccessType* pVal) { return ReturnGroup(rights::kWriteGroup, pVal); }
STDMETHODIMP PermItem::get_Read2(QFAccessType* pVal) { return ReturnGroup(rights::kReadGroup, pVal); }
STDMETHODIMP PermItem::get_ListContents2(QFAccessType* pVal) {
  return ReturnGroup(rights::kListContentsGroup, pVal);
}
STDMETHODIMP PermItem::get_ReadExecute2(QFAccessType* pVal) {
  return ReturnGroup(rights::kReadExecuteGroup, pVal);
}
STDMETHODIMP PermItem::get_Modify2(QFAccessType* pVal) { return ReturnGroup(rights::kModifyGroup, pVal); }
STDMETHODIMP PermItem::get_FullControl2(QFAccessType* pVal) {
  return ReturnGroup(rights::kFullControlGroup, pVal);
}

// A lookup that fails for any reason but an unmapped identifier is reported as the failure it is.
// An empty text is not kept, so that it is looked up again on the next read.
STDMETHODIMP PermItem::get_Trustee(BSTR* pbstrTrustee) {
  DOCKET_RETURN_IF_NULL(pbstrTrustee);
  *pbstrTrustee = nullptr;
  if (!Bound()) return E_UNEXPECTED;
  return com::Guarded([&] {
    std::string text;
    {
      com::SharedGuard guard(objectLock_);
      text = trustee_;
    }
    if (text.empty()) {
      if (!entry_.layout.HasSid()) return ReportSystemError(ClassId(), ERROR_INVALID_SID);
      const accounts::Lookup lookup = LookUpAccount(entry_.Sid());
      std::optional<std::string> found = holder_->TrusteeText(lookup);
      if (!found) return ReportSystemError(ClassId(), lookup.error);
      text = std::move(*found);
      com::ExclusiveGuard guard(objectLock_);
      trustee_ = text;
    }
    return com::ReturnAnsi(text, pbstrTrustee);
  });
}

// Works on the holder's list only: the item's own list on disk, the enumerator's copy and the
// items already made stay as they are. Nothing to remove is a failure the caller hears of.
STDMETHODIMP PermItem::RemoveEntry() {
  if (!Bound()) return E_UNEXPECTED;
  const DWORD error = holder_->RemoveMatching(entry_);
  return error == ERROR_SUCCESS ? S_OK : ReportSystemError(ClassId(), error);
}

}  // namespace docket
