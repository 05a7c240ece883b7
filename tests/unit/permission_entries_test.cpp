// The permission enumerator of files and folders (Next, Skip, Reset, Clone), its snapshot of the
// list, RemoveEntry on the holder's list, trustees, and how long entries keep what they use.
#include "permission_test_support.h"

#include <utility>

namespace docket::test {
namespace {

constexpr wchar_t kNoAcl[] =
    L"This item has no ACL, check it can be secured (e.g. not a FAT formated drive)";

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
};

TEST_F(PermissionEntries, NextSkipResetAndClone) {
  TestAcl acl;
  acl.Deny(kEveryone, 0, GENERIC_ALL).Allow(kAdministrators, 0, GENERIC_ALL).Allow(kUsers, 0, 0x1200A9);
  ASSERT_EQ(UseAcl(file.get(), acl.get()), S_OK);
  ComPtr<IEnumVARIANT> e = EnumeratorOf(file.get());
  ASSERT_TRUE(e);
  HRESULT hr;
  EXPECT_EQ(TrusteesOf(NextItems(e.get(), 5, &hr)),
            L"Everyone|BUILTIN\\Administrators|BUILTIN\\Users");
  EXPECT_EQ(hr, S_FALSE) << "fewer than asked";
  EXPECT_TRUE(NextItems(e.get(), 1, &hr).empty());
  EXPECT_EQ(hr, S_FALSE);

  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(10), S_FALSE) << "passing the end stops at it";
  EXPECT_TRUE(NextItems(e.get(), 1).empty());
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(TrusteesOf(NextItems(e.get(), 1, &hr)), L"Everyone") << "after Reset, the first again";
  EXPECT_EQ(hr, S_OK);

  ComPtr<IEnumVARIANT> clone;
  ASSERT_EQ(e->Clone(clone.put()), S_OK);
  EXPECT_EQ(TrusteesOf(NextItems(clone.get(), 1)), L"BUILTIN\\Administrators")
      << "a clone goes on from where its source stood";
  EXPECT_EQ(e->Skip(1), S_OK) << "and its source keeps its own position";
  EXPECT_EQ(TrusteesOf(NextItems(e.get(), 1)), L"BUILTIN\\Users");

  VARIANT slots[2];
  EXPECT_EQ(e->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(e->Next(2, slots, nullptr), E_POINTER) << "more than one needs the out-count";
  EXPECT_EQ(e->Reset(), S_OK);
  ASSERT_EQ(e->Next(1, slots, nullptr), S_OK) << "one needs no out-count";
  ::VariantClear(&slots[0]);
  EXPECT_EQ(e->Clone(nullptr), E_POINTER);
}

TEST_F(PermissionEntries, AnEmptyListEndsAtOnceAndNoListIsRefused) {
  TestAcl empty;
  ASSERT_EQ(UseAcl(folder.get(), empty.get()), S_OK);
  HRESULT hr;
  EXPECT_TRUE(NextItems(EnumeratorOf(folder.get()).get(), 1, &hr).empty());
  EXPECT_EQ(hr, S_FALSE);

  ASSERT_EQ(UseAcl(folder.get(), nullptr), S_OK);
  ASSERT_EQ(UseAcl(file.get(), nullptr), S_OK);
  ComPtr<IUnknown> e;
  EXPECT_TRUE(IsReported(folder->get__NewEnum(e.put()), DISP_E_EXCEPTION, kNoAcl));
  EXPECT_FALSE(e) << "a refused enumerator is not handed out";
  EXPECT_EQ(file->get__NewEnum(e.put()), DISP_E_EXCEPTION);
  EXPECT_EQ(TakeError().source, L"Corvane.File.1");
  EXPECT_EQ(file->get__NewEnum(nullptr), E_POINTER);
}

// RemoveEntry takes every entry of the trustee with the same flags, allowing or denying, from the
// holder's list only: a running enumerator and the items it made stay as they were, and the
// item's next enumerator shows the change.
TEST_F(PermissionEntries, RemoveEntryChangesOnlyTheHoldersList) {
  TestAcl acl;
  acl.Deny(kEveryone, 0, GENERIC_ALL)
      .Allow(kEveryone, OBJECT_INHERIT_ACE, GENERIC_READ)
      .Allow(kAdministrators, 0, GENERIC_ALL)
      .Allow(kEveryone, 0, 0x1200A9);
  ASSERT_EQ(UseAcl(folder.get(), acl.get()), S_OK);
  ComPtr<IEnumVARIANT> e = EnumeratorOf(folder.get());
  std::vector<ComPtr<IPermItem>> items = NextItems(e.get(), 2);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->RemoveEntry(), S_OK);

  EXPECT_EQ(NextItems(e.get(), 5).size(), 2u) << "the running enumerator keeps its copy";
  VARIANT_BOOL denied = VARIANT_FALSE;
  EXPECT_EQ(items[0]->get_NoAccess(&denied), S_OK);
  EXPECT_EQ(denied, VARIANT_TRUE) << "the removed entry's item still reads";
  EXPECT_EQ(TrusteesOf(NextItems(EnumeratorOf(folder.get()).get(), 5)),
            L"Everyone|BUILTIN\\Administrators");

  ClearError();
  EXPECT_TRUE(IsSystemError(items[0]->RemoveEntry(), ERROR_INVALID_SID))
      << "nothing left to remove is a failure, not a positive number";
}

TEST_F(PermissionEntries, AnEntryOutlivesItsEnumeratorAndItem) {
  TestAcl acl;
  acl.Allow(kAdministrators, 0, GENERIC_ALL);
  ASSERT_EQ(UseAcl(file.get(), acl.get()), S_OK);
  ComPtr<IEnumVARIANT> e = EnumeratorOf(file.get());
  std::vector<ComPtr<IPermItem>> items = NextItems(e.get(), 1);
  ASSERT_EQ(items.size(), 1u);
  e.reset();
  file.reset();
  folder.reset();
  manager.reset();
  EXPECT_EQ(TrusteeOf(items[0].get()), L"BUILTIN\\Administrators");
  EXPECT_EQ(items[0]->RemoveEntry(), S_OK) << "the holder lives on with its entries";
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_FALSE);
  items.clear();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

// The texts an administrator sets for accounts that cannot be named. The key is machine-wide, but
// only this test reads it (no other test lists an unmapped identifier).
TEST_F(PermissionEntries, TrusteeOfAnUnmappedIdentifierIsTheAdministratorsText) {
  constexpr wchar_t kKey[] = L"SOFTWARE\\Corvane Works\\Corvane.Permissions";
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  TestAcl acl;
  acl.Allow(L"S-1-5-21-1-2-3-4444", 0, GENERIC_ALL);
  ASSERT_EQ(UseAcl(file.get(), acl.get()), S_OK);
  ComPtr<IPermItem> item = NextItems(EnumeratorOf(file.get()).get(), 1).at(0);
  EXPECT_EQ(TrusteeOf(item.get()), L"") << "without the value";

  ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"AccountUnknown", REG_SZ,
                              L"(account unknown)", 36),
            ERROR_SUCCESS);
  EXPECT_EQ(TrusteeOf(item.get()), L"(account unknown)") << "an empty text is looked up again";
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
  EXPECT_EQ(TrusteeOf(item.get()), L"(account unknown)") << "and then kept";
}

TEST_F(PermissionEntries, TrusteeThatCannotBeLookedUpIsAFailure) {
  // An entry whose identifier claims more sub-authorities than the entry holds.
  TestAcl acl;
  acl.Allow(kEveryone, 0, DELETE);
  ACCESS_ALLOWED_ACE* entry = nullptr;
  ASSERT_TRUE(::GetAce(acl.get(), 0, reinterpret_cast<void**>(&entry)));
  reinterpret_cast<SID*>(&entry->SidStart)->SubAuthorityCount = 5;
  ASSERT_EQ(UseAcl(file.get(), acl.get()), S_OK);
  ComPtr<IPermItem> item = NextItems(EnumeratorOf(file.get()).get(), 1).at(0);
  Bstr trustee;
  EXPECT_TRUE(IsSystemError(item->get_Trustee(trustee.put()), ERROR_INVALID_SID));
  EXPECT_EQ(trustee.get(), nullptr);
  EXPECT_TRUE(IsSystemError(item->RemoveEntry(), ERROR_INVALID_SID));
  LONG rights = 0;
  EXPECT_EQ(item->get_AccessRights(reinterpret_cast<QFPermissionRights*>(&rights)), S_OK);
  EXPECT_EQ(rights, QFDelete) << "the rights do not need the identifier";
}

}  // namespace
}  // namespace docket::test
