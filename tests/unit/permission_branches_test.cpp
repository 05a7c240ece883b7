// The members of deny, inherit-only and object-inherit entries of a file's and a folder's list on
// each system-version branch: the cases run here (Wine's default, Windows 7) and again in copies
// of this program that see NT 4 and Windows 2000.
#include "permission_test_support.h"
#include "support/version_child.h"

namespace docket::test {
namespace {

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

TEST(EntryMembers, OfEveryEntryOfAFileAndAFolder) {
  OSVERSIONINFOA os{sizeof os};
  ASSERT_TRUE(::GetVersionExA(&os));
  const DWORD version = os.dwMajorVersion;
  if (!ChildVersion().empty()) { ASSERT_EQ(version, ChildVersion() == L"nt40" ? 4u : 5u); }
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  WriteBytes(dir / L"a.txt", "a");
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"a.txt", &file), S_OK);
  ASSERT_EQ(GetFolderOf(manager.get(), dir.path(), &folder), S_OK);
  TestAcl acl;
  acl.Deny(kEveryone, 0, 0xF01FF)
      .Allow(kAdministrators, CONTAINER_INHERIT_ACE | INHERIT_ONLY_ACE, 0x1F01FF)
      .Allow(kEveryone, OBJECT_INHERIT_ACE, GENERIC_ALL)
      .Allow(kUsers, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, 0x1200A9);
  for (const bool fileItem : {true, false}) {
    const auto items = NextItems(fileItem ? EnumeratorOver(file.get(), acl.get()).get()
                                          : EnumeratorOver(folder.get(), acl.get()).get(), 9);
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

}  // namespace
}  // namespace docket::test
