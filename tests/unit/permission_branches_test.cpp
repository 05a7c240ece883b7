// Every member of every entry of a file's and a folder's list on each system-version branch: the
// cases run here (Windows 7 by Wine's default) and again in copies of this program that see
// NT 4 and Windows 2000.
#include "permission_test_support.h"
#include "support/version_child.h"

#include <array>

namespace docket::test {
namespace {

constexpr LONG A = QFALLOW, D = QFDENY, N = QFNOTSET;

struct EntryCase {
  const wchar_t* trustee;
  LONG rightsNt4;
  LONG rights2000;       // also of later versions
  LONG folderRightsType;
  std::array<LONG, 6> groups2000;  // full control, read, write, list contents, modify, read+execute
};

// The list both items get, entry by entry as the cases below.
void BuildList(TestAcl& acl) {
  acl.Deny(kEveryone, 0, 0xF01FF)
      .Allow(kAdministrators, CONTAINER_INHERIT_ACE | INHERIT_ONLY_ACE, 0x1F01FF)
      .Allow(kEveryone, OBJECT_INHERIT_ACE, GENERIC_ALL)
      .Allow(kUsers, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, 0x1200A9)
      .Allow(kEveryone, 0, 0x1200A9);
}
const EntryCase kCases[] = {
    {L"Everyone", QFNoAccess, QFNoAccess, QFDirRights, {D, D, D, D, D, D}},
    {L"BUILTIN\\Administrators", QFFull, QFFull | QFList | QFReadExecute | QFModify, QFDirRights,
     {N, N, N, N, N, N}},
    {L"Everyone", QFFull, QFFull, QFFileRights, {A, A, A, A, A, A}},
    {L"BUILTIN\\Users", 0, QFList | QFReadExecute, QFFileRights, {N, A, N, A, N, A}},
    {L"Everyone", QFRead | QFExecute, QFRead | QFList | QFReadExecute, QFDirRights,
     {N, A, N, A, N, A}},
};

DWORD MajorVersion() {
  OSVERSIONINFOA version{sizeof version};
  EXPECT_TRUE(::GetVersionExA(&version));
  return version.dwMajorVersion;
}

LONG Bool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

void CheckEntry(IPermItem* item, const EntryCase& c, bool fileItem, DWORD version) {
  LONG rights = -1, type = -1;
  EXPECT_EQ(item->get_AccessRights(reinterpret_cast<QFPermissionRights*>(&rights)), S_OK);
  EXPECT_EQ(rights, version < 5 ? c.rightsNt4 : c.rights2000);
  EXPECT_EQ(TrusteeOf(item), c.trustee);
  const std::pair<HRESULT (STDMETHODCALLTYPE IPermItem::*)(VARIANT_BOOL*), LONG> flags[] = {
      {&IPermItem::get_NoAccess, QFNoAccess}, {&IPermItem::get_Read, QFRead},
      {&IPermItem::get_Write, QFWrite},       {&IPermItem::get_Execute, QFExecute},
      {&IPermItem::get_Delete, QFDelete},     {&IPermItem::get_Permissions, QFPermissions},
      {&IPermItem::get_Ownership, QFOwner}};
  for (const auto& [getter, right] : flags) {
    VARIANT_BOOL value = 7;
    EXPECT_EQ((item->*getter)(&value), S_OK);
    EXPECT_EQ(value, Bool((rights & right) == right)) << "right " << right;
    EXPECT_EQ((item->*getter)(nullptr), E_POINTER);
  }
  EXPECT_EQ(item->get_RightsType(reinterpret_cast<QFPermissionRightsType*>(&type)), S_OK);
  EXPECT_EQ(type, fileItem ? LONG{QFFileRights} : c.folderRightsType);

  using GroupGetter = HRESULT (STDMETHODCALLTYPE IPermItem::*)(QFAccessType*);
  const GroupGetter groups[] = {&IPermItem::get_FullControl2, &IPermItem::get_Read2,
                                &IPermItem::get_Write2,       &IPermItem::get_ListContents2,
                                &IPermItem::get_Modify2,      &IPermItem::get_ReadExecute2};
  for (size_t g = 0; g < std::size(groups); ++g) {
    SCOPED_TRACE(testing::Message() << "group " << g);
    LONG state = 99;
    const HRESULT hr = (item->*groups[g])(reinterpret_cast<QFAccessType*>(&state));
    if (version < 5) {
      EXPECT_TRUE(IsReported(hr, DISP_E_EXCEPTION, L"This property requires Windows 2000"));
      EXPECT_EQ(state, 99);
      continue;
    }
    const bool listOfAFile = fileItem && groups[g] == &IPermItem::get_ListContents2;
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(state, version == 5 && !listOfAFile ? c.groups2000[g] : LONG{N});
  }
}

struct EntryMembers : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
};

TEST_F(EntryMembers, OfEveryEntryOfAFileAndAFolder) {
  const DWORD version = MajorVersion();
  const std::wstring child = ChildVersion();
  if (!child.empty()) {
    ASSERT_EQ(version, child == L"nt40" ? 4u : 5u) << "the version the copy was started for";
  }
  WriteBytes(dir / L"a.txt", "a");
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"a.txt", &file), S_OK);
  ASSERT_EQ(GetFolderOf(manager.get(), dir.path(), &folder), S_OK);
  TestAcl acl;
  BuildList(acl);
  ASSERT_EQ(UseAcl(file.get(), acl.get()), S_OK);
  ASSERT_EQ(UseAcl(folder.get(), acl.get()), S_OK);
  for (const bool fileItem : {true, false}) {
    const auto items = NextItems(
        fileItem ? EnumeratorOf(file.get()).get() : EnumeratorOf(folder.get()).get(), 10);
    ASSERT_EQ(items.size(), std::size(kCases));
    for (size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(testing::Message() << (fileItem ? "file" : "folder") << " entry " << i
                                      << ", system version " << version);
      CheckEntry(items[i].get(), kCases[i], fileItem, version);
    }
  }
}

TEST(EntryMembersOnOlderSystems, Nt4AndWindows2000) {
  EXPECT_EQ(RunCasesAsVersion(L"nt40", L"EntryMembers.*"), 0) << "NT 4";
  EXPECT_EQ(RunCasesAsVersion(L"win2k", L"EntryMembers.*"), 0) << "Windows 2000";
}

}  // namespace
}  // namespace docket::test
