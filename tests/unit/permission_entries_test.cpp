// The permission entries of files and folders: their enumerator and its snapshot of the list,
// RemoveEntry on the holder's list, trustees that cannot be named, and the members of deny,
// inherit-only and object-inherit entries on each system-version branch (Wine makes a file's list
// up from the Unix mode, with none of those, so the tests hand their own lists to the holder);
// and the accounts of thread and process.
#include "folder_test_support.h"
#include "support/version_child.h"

#include <sddl.h>

#include <vector>

namespace docket::test {
namespace {

template <class Item>
ComPtr<IEnumVARIANT> EnumeratorOf(Item* item) {  // null when refused
  ComPtr<IUnknown> unknown;
  ComPtr<IEnumVARIANT> e;
  if (item->get__NewEnum(unknown.put()) == S_OK) unknown.As(&e);
  return e;
}

// Hands `acl` (null: no list) to the item's holder, then returns the item's enumerator.
template <class Item>
ComPtr<IEnumVARIANT> EnumeratorOver(Item* item, const ACL* acl) {
  ComPtr<IItemAclInit> init;
  EXPECT_EQ(ComPtr<Item>(item).As(&init), S_OK);
  EXPECT_EQ(init->UseAcl(acl), S_OK);
  return EnumeratorOf(item);
}

// Up to `count` entries from Next, in order.
std::vector<ComPtr<IPermItem>> NextItems(IEnumVARIANT* e, ULONG count, HRESULT* hr = nullptr) {
  std::vector<VARIANT> slots(count);
  ULONG fetched = 0;
  const HRESULT result = e->Next(count, slots.data(), &fetched);
  if (hr) *hr = result;
  std::vector<ComPtr<IPermItem>> items(fetched);
  for (ULONG i = 0; i < fetched; ++i) {
    EXPECT_EQ(V_DISPATCH(&slots[i])->QueryInterface(IID_IPermItem, items[i].put_void()), S_OK);
    ::VariantClear(&slots[i]);
  }
  return items;
}

// The trustees of the items, each followed by "|".
std::wstring TrusteesOf(const std::vector<ComPtr<IPermItem>>& items) {
  std::wstring joined;
  for (const auto& item : items) joined += TextOf(item.get(), &IPermItem::get_Trustee) + L"|";
  return joined;
}

struct PermissionEntries : ManagerTest {
  void SetUp() override {
    WriteBytes(dir / L"a.txt", "a");
    file = FileAt(dir / L"a.txt");
    folder = FolderAt(dir.path());
  }
  ~PermissionEntries() override {
    for (void* sd : lists) ::LocalFree(sd);
  }
  // A discretionary list from its SDDL form ("D:(A;OI;GA;;;WD)..."), kept until the test ends.
  ACL* List(const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    ACL* acl = nullptr;
    EXPECT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr) &&
                ::GetSecurityDescriptorDacl(sd, &present, &acl, &defaulted) && acl) << sddl;
    lists.push_back(sd);
    return acl;
  }
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  std::vector<void*> lists;
};

TEST_F(PermissionEntries, AnEmptyListEndsAtOnceAndNoListIsRefused) {
  HRESULT hr;
  EXPECT_TRUE(NextItems(EnumeratorOver(folder.get(), List(L"D:")).get(), 1, &hr).empty());
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
  ComPtr<IEnumVARIANT> e =
      EnumeratorOver(folder.get(), List(L"D:(D;;GA;;;WD)(A;OI;GR;;;WD)(A;;GA;;;BA)(A;;0x1200a9;;;WD)"));
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
  EXPECT_EQ(TrusteesOf(NextItems(EnumeratorOf(folder.get()).get(), 5)), L"Everyone|BUILTIN\\Administrators|");
  e.reset();
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
  ComPtr<IPermItem> item =
      NextItems(EnumeratorOver(file.get(), List(L"D:(A;;GA;;;S-1-5-21-1-2-3-4444)")).get(), 1).at(0);
  EXPECT_EQ(TextOf(item.get(), &IPermItem::get_Trustee), L"") << "without the value";
  ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"AccountUnknown", REG_SZ, L"(unknown)", 20);
  EXPECT_EQ(TextOf(item.get(), &IPermItem::get_Trustee), L"(unknown)") << "looked up again";
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
}

TEST_F(PermissionEntries, TrusteeThatCannotBeLookedUpIsAFailure) {
  ACL* acl = List(L"D:(A;;SD;;;WD)");
  ACCESS_ALLOWED_ACE* entry = nullptr;
  ASSERT_TRUE(::GetAce(acl, 0, reinterpret_cast<void**>(&entry)));
  reinterpret_cast<SID*>(&entry->SidStart)->SubAuthorityCount = 5;  // beyond the entry's end
  ComPtr<IPermItem> item = NextItems(EnumeratorOver(file.get(), acl).get(), 1).at(0);
  Bstr trustee;
  EXPECT_TRUE(IsSystemError(item->get_Trustee(trustee.put()), ERROR_INVALID_SID));
  EXPECT_EQ(trustee.get(), nullptr);
  QFPermissionRights rights{};
  EXPECT_EQ(item->get_AccessRights(&rights), S_OK);
  EXPECT_EQ(rights, QFDelete) << "the rights do not need the identifier";
}

// One entry of the list per case.
const struct {
  LONG rightsNt4, rightsLater;  // AccessRights on NT 4, on Windows 2000 and later
  LONG folderRightsType;
  const wchar_t* groups2000;  // full control, read, write, list contents, modify, read+execute
} kCases[] = {
    {QFNoAccess, QFNoAccess, QFDirRights, L"222222"},
    {QFFull, QFFull | QFList | QFReadExecute | QFModify, QFDirRights, L"333333"},
    {QFFull, QFFull, QFFileRights, L"111111"},
    {0, QFList | QFReadExecute, QFFileRights, L"313131"},
};

// The six group states as digits, or the failure's description.
std::wstring GroupsOf(IPermItem* item) {
  std::wstring states;
  for (auto getter : {&IPermItem::get_FullControl2, &IPermItem::get_Read2, &IPermItem::get_Write2,
                      &IPermItem::get_ListContents2, &IPermItem::get_Modify2, &IPermItem::get_ReadExecute2}) {
    QFAccessType state{};
    if ((item->*getter)(&state) != S_OK) return TakeError().description;
    states += std::to_wstring(state);
  }
  return states;
}

// The cases run here (Wine's default, Windows 7) and again in copies of this program that see NT 4
// and Windows 2000.
struct EntryMembers : PermissionEntries {};

TEST_F(EntryMembers, OfEveryEntryOfAFileAndAFolder) {
  OSVERSIONINFOA os{sizeof os};
  ASSERT_TRUE(::GetVersionExA(&os));
  const DWORD version = os.dwMajorVersion;
  if (!ChildVersion().empty()) { ASSERT_EQ(version, ChildVersion() == L"nt40" ? 4u : 5u); }
  ACL* acl = List(L"D:(D;;0xf01ff;;;WD)(A;CIIO;0x1f01ff;;;BA)(A;OI;GA;;;WD)(A;OICI;0x1200a9;;;BU)");
  for (const bool fileItem : {true, false}) {
    const auto items = NextItems(fileItem ? EnumeratorOver(file.get(), acl).get()
                                          : EnumeratorOver(folder.get(), acl).get(), 9);
    ASSERT_EQ(items.size(), std::size(kCases));
    for (size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(testing::Message() << (fileItem ? "file" : "folder") << " entry " << i
                                      << ", system version " << version);
      const auto& c = kCases[i];
      QFPermissionRights rights{};
      QFPermissionRightsType type{};
      EXPECT_EQ(items[i]->get_AccessRights(&rights), S_OK);
      EXPECT_EQ(rights, version < 5 ? c.rightsNt4 : c.rightsLater);
      EXPECT_EQ(items[i]->get_RightsType(&type), S_OK);
      EXPECT_EQ(type, fileItem ? LONG{QFFileRights} : c.folderRightsType);
      std::wstring groups = c.groups2000;
      if (fileItem) groups[3] = L'3';  // a file's entry lists no folder contents
      if (version < 5) groups = L"This property requires Windows 2000";
      if (version > 5) groups = L"333333";
      EXPECT_EQ(GroupsOf(items[i].get()), groups);
    }
  }
}

TEST(EntryMembersOnOlderSystems, Nt4AndWindows2000) {
  EXPECT_EQ(RunCasesAsVersion(L"nt40", L"EntryMembers.*"), 0) << "NT 4";
  EXPECT_EQ(RunCasesAsVersion(L"win2k", L"EntryMembers.*"), 0) << "Windows 2000";
}


// Wine's impersonation token of ImpersonateSelf names the process's account too, so what shows
// is whether the thread still impersonates after ProcessUser.
TEST(Identity, ProcessUserGivesAnImpersonatingThreadItsImpersonationBack) {
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1], user[256];
  DWORD computerSize = std::size(computer), userSize = std::size(user);
  ASSERT_TRUE(::GetComputerNameW(computer, &computerSize) && ::GetUserNameW(user, &userSize));
  const std::wstring account = std::wstring(computer) + L"\\" + user;  // Wine: the Unix user
  ComPtr<IFileManager> manager = NewManager();
  for (const bool impersonating : {false, true}) {
    SCOPED_TRACE(impersonating ? "impersonating" : "not impersonating");
    if (impersonating) { ASSERT_TRUE(::ImpersonateSelf(SecurityImpersonation)); }
    EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_CurrentUser), account);
    EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_ProcessUser), account);
    HANDLE token = nullptr;
    EXPECT_EQ(::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token) != FALSE, impersonating);
    if (token) ::CloseHandle(token);
  }
  ::RevertToSelf();
  EXPECT_EQ(manager->get_CurrentUser(nullptr), E_POINTER);
}

}  // namespace
}  // namespace docket::test
