#include "security/acl_list.h"

namespace docket {

std::unique_ptr<AclList> AclList::CopyOf(const ACL* source) {
  ACL* from = const_cast<ACL*>(source);
  ACL_SIZE_INFORMATION size{};
  if (!::GetAclInformation(from, &size, sizeof size, AclSizeInformation)) return nullptr;
  std::unique_ptr<AclList> copy(new AclList(size.AclBytesInUse + 8));
  if (!::InitializeAcl(copy->get(), static_cast<DWORD>(copy->bytes_.size()), ACL_REVISION))
    return nullptr;
  for (DWORD i = 0; i < size.AceCount; ++i) {
    void* entry = nullptr;
    if (!::GetAce(from, i, &entry)) return nullptr;
    // The source's revision, so that object entries (which need the later revision) are taken.
    if (!::AddAce(copy->get(), from->AclRevision, MAXDWORD, entry,
                  static_cast<ACE_HEADER*>(entry)->AceSize))
      return nullptr;
  }
  return copy;
}

std::optional<AclEntry> AclList::Entry(size_t index) const {
  void* entry = nullptr;
  if (index >= Count() || !::GetAce(const_cast<ACL*>(get()), static_cast<DWORD>(index), &entry))
    return std::nullopt;
  return Read(entry);
}

std::optional<AclEntry> AclList::Read(const void* entry) const {
  const BYTE* bytes = static_cast<const BYTE*>(entry);
  const BYTE* end = bytes_.data() + get()->AclSize;
  if (bytes < bytes_.data() || bytes >= end) return std::nullopt;
  const auto layout = rights::ReadEntry(bytes, static_cast<size_t>(end - bytes));
  if (!layout) return std::nullopt;
  return AclEntry{bytes, *layout};
}

}  // namespace docket
