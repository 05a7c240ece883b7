#include "security/permission_enumerator.h"

#include "com/guard.h"
#include "com/list_enumerator.h"
#include "module/error_report.h"
#include "security/perm_item.h"

#include <memory>
#include <utility>

namespace docket {
namespace {

// What one enumerator and its clones walk.
struct PermissionList {
  std::shared_ptr<const AclList> copy;
  std::shared_ptr<AclHolder> holder;
  bool fileItem = false;

  size_t Count() const { return copy->Count(); }
  HRESULT CopyItem(size_t index, VARIANT* out) const {
    IDispatch* item = nullptr;
    DOCKET_RETURN_IF_FAILED(PermItem::Make(copy, index, holder, fileItem, &item));
    V_VT(out) = VT_DISPATCH;
    V_DISPATCH(out) = item;
    return S_OK;
  }
};

}  // namespace

HRESULT NewPermissionEnumerator(REFCLSID itemClass, AclHolderSlot& slot, const std::string& path,
                                bool fileItem, IUnknown** out) {
  DOCKET_RETURN_IF_NULL(out);
  *out = nullptr;
  return com::Guarded([&] {
    std::shared_ptr<AclHolder> holder = slot.Get();
    AclHolder::Snapshot snapshot = holder->Refresh(path);
    if (!snapshot.hasList)
      return ReportError(
          itemClass, L"This item has no ACL, check it can be secured (e.g. not a FAT formated drive)",
          0);
    std::shared_ptr<const PermissionList> list;
    if (snapshot.copy)
      list = std::make_shared<const PermissionList>(
          PermissionList{std::move(snapshot.copy), std::move(holder), fileItem});
    IEnumVARIANT* enumerator = nullptr;
    DOCKET_RETURN_IF_FAILED(com::ListEnumerator<PermissionList>::Create(std::move(list), &enumerator));
    *out = enumerator;
    return S_OK;
  });
}

}  // namespace docket
