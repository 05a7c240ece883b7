// Shared by the tests of permission entries. Wine makes the lists of files up from the Unix mode,
// with no deny, inherit-only or object-inherit entries, so the tests build their lists and hand
// them to a File's or Folder's holder.
#pragma once

#include "folder_test_support.h"

#include <sddl.h>

#include <vector>

namespace docket::test {

inline constexpr wchar_t kEveryone[] = L"S-1-1-0";
inline constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
inline constexpr wchar_t kUsers[] = L"S-1-5-32-545";

// A discretionary list built entry by entry (identifiers in their string form).
class TestAcl {
 public:
  TestAcl() : bytes_(4096) { EXPECT_TRUE(::InitializeAcl(get(), 4096, ACL_REVISION)); }
  ACL* get() { return reinterpret_cast<ACL*>(bytes_.data()); }
  TestAcl& Allow(const wchar_t* sid, BYTE flags, DWORD mask) { return Add(false, sid, flags, mask); }
  TestAcl& Deny(const wchar_t* sid, BYTE flags, DWORD mask) { return Add(true, sid, flags, mask); }

 private:
  TestAcl& Add(bool deny, const wchar_t* text, BYTE flags, DWORD mask) {
    PSID sid = nullptr;
    EXPECT_TRUE(::ConvertStringSidToSidW(text, &sid) &&
                (deny ? ::AddAccessDeniedAceEx : ::AddAccessAllowedAceEx)(get(), ACL_REVISION, flags, mask, sid))
        << text;
    ::LocalFree(sid);
    return *this;
  }
  std::vector<BYTE> bytes_;
};

// Hands `acl` (null: no list) to the item's holder, then returns the item's enumerator.
template <class Item>
ComPtr<IEnumVARIANT> EnumeratorOver(Item* item, const ACL* acl) {
  ComPtr<IItemAclInit> init;
  EXPECT_EQ(ComPtr<Item>(item).As(&init), S_OK);
  EXPECT_EQ(init->UseAcl(acl), S_OK);
  ComPtr<IUnknown> unknown;
  ComPtr<IEnumVARIANT> e;
  if (item->get__NewEnum(unknown.put()) == S_OK) unknown.As(&e);  // a null enumerator fails the caller
  return e;
}

// Up to `count` entries from Next, in order.
inline std::vector<ComPtr<IPermItem>> NextItems(IEnumVARIANT* e, ULONG count, HRESULT* hr = nullptr) {
  std::vector<VARIANT> slots(count);
  ULONG fetched = 0;
  const HRESULT result = e->Next(count, slots.data(), &fetched);
  if (hr) *hr = result;
  std::vector<ComPtr<IPermItem>> items;
  for (ULONG i = 0; i < fetched; ++i) {
    ComPtr<IPermItem> item;
    EXPECT_EQ(V_VT(&slots[i]), VT_DISPATCH);
    EXPECT_EQ(ComPtr<IDispatch>(V_DISPATCH(&slots[i])).As(&item), S_OK);
    items.push_back(item);
    ::VariantClear(&slots[i]);
  }
  return items;
}

// The trustees of the items, each followed by "|".
inline std::wstring TrusteesOf(const std::vector<ComPtr<IPermItem>>& items) {
  std::wstring joined;
  for (const auto& item : items) joined += TextOf(item.get(), &IPermItem::get_Trustee) + L"|";
  return joined;
}

}  // namespace docket::test
