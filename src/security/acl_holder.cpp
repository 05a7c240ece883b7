#include "security/acl_holder.h"

#include "com/handles.h"
#include "com/srw_guard.h"

#include <vector>

namespace docket {
namespace {

constexpr char kAccountTextsKey[] = "SOFTWARE\\Corvane Works\\Corvane.Permissions";

// The administrator's text in one value of the account-texts key; empty when there is none.
std::string ReadAccountText(const char* valueName) {
  com::UniqueKey key;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAccountTextsKey, 0, KEY_READ, key.put()) !=
      ERROR_SUCCESS)
    return {};
  std::vector<char> data(50);
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status = ::RegQueryValueExA(key.get(), valueName, nullptr, &type,
                                           reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size);
      continue;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    return accounts::RegistryText(data.data(), size);
  }
  return {};
}

// The discretionary list of the item at `path`, copied; null when it has none or it cannot be
// read.
std::unique_ptr<AclList> ReadItemList(const std::string& path) {
  constexpr SECURITY_INFORMATION kWhat = DACL_SECURITY_INFORMATION;
  DWORD needed = 0;
  ::GetFileSecurityA(path.c_str(), kWhat, nullptr, 0, &needed);
  if (needed == 0) return nullptr;
  std::vector<BYTE> descriptor(needed);
  if (!::GetFileSecurityA(path.c_str(), kWhat, descriptor.data(), needed, &needed)) return nullptr;
  BOOL present = FALSE, defaulted = FALSE;
  ACL* list = nullptr;
  if (!::GetSecurityDescriptorDacl(descriptor.data(), &present, &list, &defaulted) || !present ||
      !list)
    return nullptr;
  return AclList::CopyOf(list);
}

}  // namespace

AclHolder::Snapshot AclHolder::Refresh(const std::string& path) {
  bool given;
  {
    com::SharedGuard guard(lock_);
    given = given_;
  }
  if (!given) {
    std::unique_ptr<AclList> fresh = ReadItemList(path);
    com::ExclusiveGuard guard(lock_);
    if (!given_) list_ = std::move(fresh);
  }
  com::SharedGuard guard(lock_);
  if (!list_) return {};
  return {true, AclList::CopyOf(list_->get())};
}

bool AclHolder::Give(const ACL* list) {
  std::unique_ptr<AclList> copy;
  if (list && !(copy = AclList::CopyOf(list))) return false;
  com::ExclusiveGuard guard(lock_);
  list_ = std::move(copy);
  given_ = true;
  return true;
}

DWORD AclHolder::RemoveMatching(const AclEntry& entry) {
  if (!entry.layout.HasSid()) return ERROR_INVALID_SID;
  com::ExclusiveGuard guard(lock_);
  if (!list_) return ERROR_INVALID_SID;
  bool removed = false;
  for (size_t i = 0; i < list_->Count();) {
    void* raw = nullptr;
    if (!::GetAce(list_->get(), static_cast<DWORD>(i), &raw)) return ::GetLastError();
    const auto other = list_->Read(raw);
    if (other && other->layout.HasSid() && other->layout.facts.flags == entry.layout.facts.flags &&
        ::EqualSid(other->Sid(), entry.Sid())) {
      if (!::DeleteAce(list_->get(), static_cast<DWORD>(i))) return ::GetLastError();
      removed = true;
    } else {
      ++i;
    }
  }
  return removed ? ERROR_SUCCESS : ERROR_INVALID_SID;
}

std::optional<std::string> AclHolder::TrusteeText(const accounts::Lookup& lookup) {
  com::ExclusiveGuard guard(lock_);
  return accounts::TrusteeText(lookup, texts_, ReadAccountText);
}

std::shared_ptr<AclHolder> AclHolderSlot::Get() {
  com::ExclusiveGuard guard(lock_);
  if (!holder_) holder_ = std::make_shared<AclHolder>();
  return holder_;
}

}  // namespace docket
