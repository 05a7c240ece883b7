// The permission enumerator of files and folders, its snapshot of the list, RemoveEntry on the
// holder's list, and trustees that cannot be named.
#include "permission_test_support.h"

namespace docket::test {
namespace {

struct PermissionEntries : ::testing::Test {
  void SetUp() override {
    WriteBytes(dir / L"a.txt", "a");
    ASSERT_EQ(GetFileOf(manager.get(), dir / L"a.txt", &file), S_OK);
    ASSERT_EQ(GetFolderOf(manager.get(), dir.path(), &folder), S_OK);
  }
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  TestAcl acl;
};

TEST_F(PermissionEntries, AnEmptyListEndsAtOnceAndNoListIsRefused) {
  HRESULT hr;
  EXPECT_TRUE(NextItems(EnumeratorOver(folder.get(), acl.get()).get(), 1, &hr).empty());
  EXPECT_EQ(hr, S_FALSE);
  EXPECT_FALSE(EnumeratorOver(folder.get(), nullptr));
  EXPECT_EQ(TakeError().description,
            L"This item has no ACL, check it can be secured (e.g. not a FAT formated drive)");
  EXPECT_FALSE(EnumeratorOver(file.get(), nullptr));
  EXPECT_EQ(TakeError().source, L"Corvane.File.1");
}

// The entries come in the list's order. RemoveEntry takes every entry of the trustee with the
// same flags, allowing or denying, from the holder's list only: a running enumerator and its items
// stay as they were, the next enumerator shows the change. The entry keeps holder and list alive.
TEST_F(PermissionEntries, RemoveEntryChangesOnlyTheHoldersList) {
  acl.Deny(kEveryone, 0, GENERIC_ALL)
      .Allow(kEveryone, OBJECT_INHERIT_ACE, GENERIC_READ)
      .Allow(kAdministrators, 0, GENERIC_ALL)
      .Allow(kEveryone, 0, 0x1200A9);
  ComPtr<IEnumVARIANT> e = EnumeratorOver(folder.get(), acl.get());
  HRESULT hr;
  ComPtr<IPermItem> denial;
  {
    const auto items = NextItems(e.get(), 5, &hr);
    EXPECT_EQ(TrusteesOf(items), L"Everyone|Everyone|BUILTIN\\Administrators|Everyone|");
    denial = items.at(0);
  }
  EXPECT_EQ(hr, S_FALSE) << "fewer than asked";
  EXPECT_EQ(denial->RemoveEntry(), S_OK);
  e->Reset();
  EXPECT_EQ(NextItems(e.get(), 5).size(), 4u) << "the running enumerator keeps its copy";
  ComPtr<IUnknown> fresh;
  ASSERT_EQ(folder->get__NewEnum(fresh.put()), S_OK);
  e.reset();
  ASSERT_EQ(fresh.As(&e), S_OK);
  EXPECT_EQ(TrusteesOf(NextItems(e.get(), 5)), L"Everyone|BUILTIN\\Administrators|");

  e.reset();
  fresh.reset();
  folder.reset();
  VARIANT_BOOL denied = VARIANT_FALSE;
  EXPECT_EQ(denial->get_NoAccess(&denied), S_OK);
  EXPECT_EQ(denied, VARIANT_TRUE);
  manager.reset();
  file.reset();
  denial.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "items of the first list";
}

// The administrator's text: the key is machine-wide, but only this test lists an identifier that
// maps to no account.
TEST_F(PermissionEntries, TrusteeOfAnUnmappedIdentifierIsTheAdministratorsText) {
  constexpr wchar_t kKey[] = L"SOFTWARE\\Corvane Works\\Corvane.Permissions";
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  acl.Allow(L"S-1-5-21-1-2-3-4444", 0, GENERIC_ALL);
  ComPtr<IPermItem> item = NextItems(EnumeratorOver(file.get(), acl.get()).get(), 1).at(0);
  EXPECT_EQ(TextOf(item.get(), &IPermItem::get_Trustee), L"") << "without the value";
  ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"AccountUnknown", REG_SZ, L"(unknown)", 20);
  EXPECT_EQ(TextOf(item.get(), &IPermItem::get_Trustee), L"(unknown)") << "looked up again";
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
}

TEST_F(PermissionEntries, TrusteeThatCannotBeLookedUpIsAFailure) {
  acl.Allow(kEveryone, 0, DELETE);
  ACCESS_ALLOWED_ACE* entry = nullptr;
  ASSERT_TRUE(::GetAce(acl.get(), 0, reinterpret_cast<void**>(&entry)));
  reinterpret_cast<SID*>(&entry->SidStart)->SubAuthorityCount = 5;  // beyond the entry's end
  ComPtr<IPermItem> item = NextItems(EnumeratorOver(file.get(), acl.get()).get(), 1).at(0);
  Bstr trustee;
  EXPECT_TRUE(IsSystemError(item->get_Trustee(trustee.put()), ERROR_INVALID_SID));
  EXPECT_EQ(trustee.get(), nullptr);
  QFPermissionRights rights{};
  EXPECT_EQ(item->get_AccessRights(&rights), S_OK);
  EXPECT_EQ(rights, QFDelete) << "the rights do not need the identifier";
}

}  // namespace
}  // namespace docket::test
