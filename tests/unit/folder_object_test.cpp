// The Folder object: what it makes of a path, its parent, its rename, and what it reads from its
// own directory entry.
#include "folder_test_support.h"

namespace docket::test {
namespace {

struct FolderTest : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();

  ComPtr<IFolder> FolderAt(const std::wstring& path) {
    ComPtr<IFolder> folder;
    EXPECT_EQ(GetFolderOf(manager.get(), path, &folder), S_OK);
    return folder;
  }
};

TEST_F(FolderTest, APathBecomesAbsoluteAndATrailingBackslashStays) {
  MakeDirs(dir, {L"sub"});
  ComPtr<IFolder> folder = FolderAt(dir / L"sub");
  EXPECT_EQ(NameOf(folder.get()), L"sub");
  EXPECT_EQ(ParentPathOf(folder.get()), dir.path());
  VARIANT_BOOL root = VARIANT_TRUE;
  EXPECT_EQ(folder->get_IsRootFolder(&root), S_OK);
  EXPECT_EQ(root, VARIANT_FALSE);

  CurrentDirectoryChange current(dir.path());
  folder = FolderAt(L"sub\\.\\");
  EXPECT_EQ(PathOf(folder.get()), dir / L"sub\\");
  EXPECT_EQ(NameOf(folder.get()), L"") << "no last component after the backslash";
  EXPECT_EQ(ParentPathOf(folder.get()), dir.path());
  DATE date = 0;
  EXPECT_EQ(folder->get_DateCreated(&date), S_OK) << "its own entry, not one inside it";
}

TEST_F(FolderTest, ADriveRootIsItsOwnParentAndAScriptSeesNothing) {
  ComPtr<IFolder> root = FolderAt(L"C:\\");
  EXPECT_EQ(NameOf(root.get()), L"");
  VARIANT_BOOL isRoot = VARIANT_FALSE;
  EXPECT_EQ(root->get_IsRootFolder(&isRoot), S_OK);
  EXPECT_EQ(isRoot, VARIANT_TRUE);
  Variant parent;
  EXPECT_EQ(CallByName(root.get(), L"ParentFolder", DISPATCH_PROPERTYGET, {}, parent.get()).hr, S_OK);
  EXPECT_EQ(parent.type(), VT_DISPATCH);
  EXPECT_EQ(V_DISPATCH(parent.get()), nullptr);
  // A root has no listing entry of its own, so no dates: the platform says why.
  DATE date = 0;
  const HRESULT hr = root->get_DateCreated(&date);
  EXPECT_TRUE(IsSystemError(hr, HRESULT_CODE(hr)));
}

TEST_F(FolderTest, PathsThatNameNoFolderAreRefused) {
  WriteBytes(dir / L"file.txt", "x");
  ComPtr<IFolder> folder;
  EXPECT_TRUE(IsReported(GetFolderOf(manager.get(), dir / L"file.txt", &folder), DISP_E_EXCEPTION,
                         L"Argument must be a directory."));
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), dir / L"missing", &folder), 2));
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), dir / L"no\\sub", &folder), 3));
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), L"", &folder), 3));
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), dir / std::wstring(260, L'x'), &folder),
                            ERROR_FILENAME_EXCED_RANGE));
  // Short enough as given, but its absolute form outgrows the 255 characters a folder keeps.
  CurrentDirectoryChange current(dir.path());
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), std::wstring(254, L'y'), &folder),
                            ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(folder);
}

TEST_F(FolderTest, RenamingMovesTheFolderAndTheObjectFollows) {
  MakeDirs(dir, {L"old", L"taken"});
  WriteBytes(dir / L"old\\inside.txt", "kept");
  ComPtr<IFolder> folder = FolderAt(dir / L"old");
  const Bstr taken(L"taken"), fresh(L"new");
  EXPECT_TRUE(IsSystemError(folder->put_Name(taken.get()), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(PathOf(folder.get()), dir / L"old") << "a failed rename changes nothing";
  ASSERT_EQ(folder->put_Name(fresh.get()), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"new\\inside.txt"), "kept");
  EXPECT_EQ(NameOf(folder.get()), L"new");
  EXPECT_EQ(PathOf(folder.get()), dir / L"new");
}

TEST_F(FolderTest, AttributesKeepOnlyTheSettableBits) {
  ComPtr<IFolder> folder = FolderAt(dir.path());
  QFFileAttribute attributes = QFNormal;
  ASSERT_EQ(folder->put_Attributes(static_cast<QFFileAttribute>(QFHidden | QFVolume)), S_OK);
  ASSERT_EQ(folder->get_Attributes(&attributes), S_OK);
  EXPECT_EQ(attributes & (QFDirectory | QFHidden | QFVolume), QFDirectory | QFHidden);
  for (QFFileAttribute refused : {QFDirectory, QFAlias, QFCompressed})
    EXPECT_TRUE(IsReported(folder->put_Attributes(refused), E_INVALIDARG, L"")) << refused;
}

TEST_F(FolderTest, DatesAreLocalTimesWithoutMilliseconds) {
  MakeDirs(dir, {L"dated"});
  HANDLE handle = ::CreateFileW((dir / L"dated").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  const SYSTEMTIME utc{2021, 1, 5, 15, 12, 0, 0, 750};  // a winter noon, .750 s
  FILETIME stamp;
  ::SystemTimeToFileTime(&utc, &stamp);
  EXPECT_TRUE(::SetFileTime(handle, nullptr, &stamp, &stamp));
  ::CloseHandle(handle);
  // Local is UTC plus the bias in force now: TZ=Europe/Berlin gives one hour in winter, two in
  // summer.
  TIME_ZONE_INFORMATION zone;
  const bool summer = ::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_DAYLIGHT;
  SYSTEMTIME local = utc;
  local.wHour = summer ? 14 : 13;
  local.wMilliseconds = 0;
  DATE expected = 0, modified = 0, accessed = 0;
  ::SystemTimeToVariantTime(&local, &expected);
  ComPtr<IFolder> folder = FolderAt(dir / L"dated");
  EXPECT_EQ(folder->get_DateLastModified(&modified), S_OK);
  EXPECT_EQ(folder->get_DateLastAccessed(&accessed), S_OK);
  EXPECT_DOUBLE_EQ(modified, expected);
  EXPECT_DOUBLE_EQ(accessed, expected);
}

TEST_F(FolderTest, ShortPathAndFileSystem) {
  MakeDirs(dir, {L"A long folder name"});
  ComPtr<IFolder> folder = FolderAt(dir / L"A long folder name");
  Bstr shortPath, shortName;
  ASSERT_EQ(folder->get_ShortPath(shortPath.put()), S_OK);
  ASSERT_EQ(folder->get_ShortName(shortName.put()), S_OK);
  const std::wstring path(shortPath.view()), name(shortName.view());
  EXPECT_TRUE(name.size() <= 12 && name.find(L' ') == std::wstring::npos) << name;
  EXPECT_EQ(path.substr(path.size() - name.size() - 1), L"\\" + name);
  EXPECT_TRUE(Exists(path)) << "the short path reaches the folder";

  QFFileSystemType kind = static_cast<QFFileSystemType>(77);
  EXPECT_EQ(folder->get_FileSystem(&kind), S_OK);
  EXPECT_EQ(kind, QFFILESYSTEM_NTFS) << "drive C: (Wine's is NTFS too)";

  ASSERT_TRUE(::RemoveDirectoryW((dir / L"A long folder name").c_str()));
  EXPECT_TRUE(IsSystemError(folder->get_ShortPath(shortPath.put()), ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace docket::test
