// Shared by the tests of permission entries: access-control lists built here (Wine makes the
// lists of files up from the Unix mode, with no deny, inherit-only or object-inherit entries of
// its own) and handed to a File's or Folder's holder, and the entries they yield.
#pragma once

#include "folder_test_support.h"

#include <sddl.h>

#include <vector>

namespace docket::test {

// A security identifier from its string form ("S-1-1-0"), freed at the end.
class TestSid {
 public:
  explicit TestSid(const wchar_t* text) { EXPECT_TRUE(::ConvertStringSidToSidW(text, &sid_)) << text; }
  ~TestSid() { ::LocalFree(sid_); }
  TestSid(const TestSid&) = delete;
  TestSid& operator=(const TestSid&) = delete;
  PSID get() const { return sid_; }

 private:
  PSID sid_ = nullptr;
};

inline constexpr wchar_t kEveryone[] = L"S-1-1-0";
inline constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
inline constexpr wchar_t kUsers[] = L"S-1-5-32-545";

// A discretionary list built entry by entry.
class TestAcl {
 public:
  TestAcl() : bytes_(4096) { EXPECT_TRUE(::InitializeAcl(get(), 4096, ACL_REVISION)); }
  ACL* get() { return reinterpret_cast<ACL*>(bytes_.data()); }
  TestAcl& Allow(const wchar_t* sid, BYTE flags, DWORD mask) {
    EXPECT_TRUE(::AddAccessAllowedAceEx(get(), ACL_REVISION, flags, mask, TestSid(sid).get()));
    return *this;
  }
  TestAcl& Deny(const wchar_t* sid, BYTE flags, DWORD mask) {
    EXPECT_TRUE(::AddAccessDeniedAceEx(get(), ACL_REVISION, flags, mask, TestSid(sid).get()));
    return *this;
  }

 private:
  std::vector<BYTE> bytes_;
};

// Hands `acl` (null: no list) to the item's holder.
template <class Item>
HRESULT UseAcl(Item* item, const ACL* acl) {
  ComPtr<IItemAclInit> init;
  EXPECT_EQ(ComPtr<Item>(item).As(&init), S_OK);
  return init ? init->UseAcl(acl) : E_NOINTERFACE;
}

template <class Item>
ComPtr<IEnumVARIANT> EnumeratorOf(Item* item) {
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(item->get__NewEnum(unknown.put()), S_OK);
  ComPtr<IEnumVARIANT> e;
  if (unknown) {
    EXPECT_EQ(unknown.As(&e), S_OK);
  }
  return e;
}

// Up to `count` entries from Next, in order.
inline std::vector<ComPtr<IPermItem>> NextItems(IEnumVARIANT* e, ULONG count, HRESULT* hr = nullptr) {
  std::vector<VARIANT> slots(count);
  ULONG fetched = 12345;
  const HRESULT result = e->Next(count, slots.data(), &fetched);
  if (hr) *hr = result;
  std::vector<ComPtr<IPermItem>> items;
  EXPECT_LE(fetched, count);
  for (ULONG i = 0; i < fetched && i < count; ++i) {
    EXPECT_EQ(V_VT(&slots[i]), VT_DISPATCH);
    ComPtr<IPermItem> item;
    EXPECT_EQ(ComPtr<IDispatch>(V_DISPATCH(&slots[i])).As(&item), S_OK);
    items.push_back(item);
    ::VariantClear(&slots[i]);
  }
  return items;
}

inline std::wstring TrusteeOf(IPermItem* item) { return TextOf(item, &IPermItem::get_Trustee); }

// The trustees of the items, joined by "|".
inline std::wstring TrusteesOf(const std::vector<ComPtr<IPermItem>>& items) {
  std::wstring joined;
  for (const auto& item : items) joined += (joined.empty() ? L"" : L"|") + TrusteeOf(item.get());
  return joined;
}

}  // namespace docket::test
