// The Folder object on its own: how it is made from a path, its names, parent and root, rename,
// and the properties it reads from its directory entry.
#include "support/folder_test_support.h"

#include <gtest/gtest.h>

namespace docket::test {
namespace {

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override { manager_ = NewManager(); }

  ComPtr<IFolder> Folder(const std::wstring& path) {
    ComPtr<IFolder> folder;
    EXPECT_EQ(GetFolder(manager_.get(), path, &folder), S_OK) << "GetFolder " << ToUtf8(path);
    return folder;
  }
  static std::string ToUtf8(const std::wstring& text) {
    return std::string(text.begin(), text.end());
  }

  ComPtr<IFileManager> manager_;
  ScratchDir scratch_;
};

// --- making a folder from a path ---------------------------------------------------------------

TEST_F(FolderTest, AbsolutePathGivesNameAndParent) {
  MakeDir(scratch_ / L"sub");
  ComPtr<IFolder> folder = Folder(scratch_ / L"sub");
  ASSERT_TRUE(folder);
  EXPECT_EQ(PathOf(folder.get()), scratch_ / L"sub");
  EXPECT_EQ(NameOf(folder.get()), L"sub");

  VARIANT_BOOL root = VARIANT_TRUE;
  EXPECT_EQ(folder->get_IsRootFolder(&root), S_OK);
  EXPECT_EQ(root, VARIANT_FALSE);
  EXPECT_EQ(ParentPathOf(folder.get()), scratch_.path());
}

TEST_F(FolderTest, RelativePathIsMadeAbsoluteAgainstTheCurrentDirectory) {
  MakeDir(scratch_ / L"rel");
  ComPtr<IFolder> folder;
  {
    CurrentDirectoryChange current(scratch_.path());
    folder = Folder(L"rel\\.\\");
  }
  ASSERT_TRUE(folder);
  EXPECT_EQ(PathOf(folder.get()), scratch_ / L"rel\\") << "the platform's absolute form";
}

TEST_F(FolderTest, TrailingBackslashIsKeptAndTheNameIsEmpty) {
  MakeDir(scratch_ / L"sub");
  ComPtr<IFolder> folder = Folder(scratch_ / L"sub\\");
  ASSERT_TRUE(folder);
  EXPECT_EQ(PathOf(folder.get()), scratch_ / L"sub\\");
  EXPECT_EQ(NameOf(folder.get()), L"");
  EXPECT_EQ(ParentPathOf(folder.get()), scratch_.path()) << "the folder above, not itself again";
}

TEST_F(FolderTest, DriveRootIsItsOwnParent) {
  ComPtr<IFolder> root = Folder(L"C:\\");
  ASSERT_TRUE(root);
  EXPECT_EQ(PathOf(root.get()), L"C:\\");
  EXPECT_EQ(NameOf(root.get()), L"");
  VARIANT_BOOL isRoot = VARIANT_FALSE;
  EXPECT_EQ(root->get_IsRootFolder(&isRoot), S_OK);
  EXPECT_EQ(isRoot, VARIANT_TRUE);

  IFolder* parent = reinterpret_cast<IFolder*>(1);
  EXPECT_EQ(root->get_ParentFolder(&parent), S_OK);
  EXPECT_EQ(parent, nullptr) << "no folder above a root";

  // A script sees Nothing: an object variant holding no object, and no failure.
  Variant result;
  EXPECT_EQ(CallByName(root.get(), L"ParentFolder", DISPATCH_PROPERTYGET, {}, result.get()).hr, S_OK);
  EXPECT_EQ(result.type(), VT_DISPATCH);
  EXPECT_EQ(V_DISPATCH(result.get()), nullptr);
}

TEST_F(FolderTest, PathsThatNameNoFolderAreRefusedWithTheirReasons) {
  WriteBytes(scratch_ / L"file.txt", "x");
  const std::wstring longName(300, L'a');
  // A relative path short enough to take, whose absolute form outgrows the folder's buffer.
  const std::wstring growsTooLong(255 - 1, L'b');
  struct Case {
    const wchar_t* what;
    std::wstring path;
    Failure expected;
  } cases[] = {
      {L"a file", scratch_ / L"file.txt", MessageFailure(L"Argument must be a directory.")},
      {L"a missing folder", scratch_ / L"missing", SystemFailure(ERROR_FILE_NOT_FOUND)},
      {L"a missing parent", scratch_ / L"missing\\sub", SystemFailure(ERROR_PATH_NOT_FOUND)},
      {L"an empty path", L"", SystemFailure(ERROR_PATH_NOT_FOUND)},
      {L"a path over 259 characters", scratch_ / longName, SystemFailure(ERROR_FILENAME_EXCED_RANGE)},
      {L"an absolute form over 255", growsTooLong, SystemFailure(ERROR_FILENAME_EXCED_RANGE)},
  };
  for (const Case& c : cases) {
    ComPtr<IFolder> folder;
    const HRESULT hr = GetFolder(manager_.get(), c.path, &folder);
    EXPECT_EQ(Failed(hr), c.expected) << ToUtf8(c.what);
    EXPECT_FALSE(folder) << ToUtf8(c.what);
  }
}

TEST_F(FolderTest, RefusalsNameTheFolderClassAsSource) {
  WriteBytes(scratch_ / L"file.txt", "x");
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFolder(manager_.get(), scratch_ / L"file.txt", &folder), DISP_E_EXCEPTION);
  EXPECT_EQ(TakeError().source, L"Docket.Folder.1");
}

// --- names ---------------------------------------------------------------------------------------

TEST_F(FolderTest, RenameMovesTheFolderAndTheObjectFollows) {
  MakeDir(scratch_ / L"old");
  WriteBytes(scratch_ / L"old\\inside.txt", "kept");
  ComPtr<IFolder> folder = Folder(scratch_ / L"old");
  ASSERT_TRUE(folder);
  ASSERT_EQ(folder->put_Name(Bstr(L"new").get()), S_OK);
  EXPECT_FALSE(Exists(scratch_ / L"old"));
  EXPECT_EQ(ReadBytes(scratch_ / L"new\\inside.txt"), "kept");
  EXPECT_EQ(NameOf(folder.get()), L"new");
  EXPECT_EQ(PathOf(folder.get()), scratch_ / L"new");
}

TEST_F(FolderTest, RenameOntoAnExistingNameFailsAndChangesNothing) {
  MakeDir(scratch_ / L"one");
  MakeDir(scratch_ / L"two");
  ComPtr<IFolder> folder = Folder(scratch_ / L"one");
  ASSERT_TRUE(folder);
  EXPECT_EQ(Failed(folder->put_Name(Bstr(L"two").get())), SystemFailure(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(Exists(scratch_ / L"one"));
  EXPECT_EQ(NameOf(folder.get()), L"one");
  EXPECT_EQ(PathOf(folder.get()), scratch_ / L"one");
}

TEST_F(FolderTest, SearchWildCardStartsAsStarAndIsStoredUnchecked) {
  ComPtr<IFolder> folder = Folder(scratch_.path());
  ASSERT_TRUE(folder);
  for (const wchar_t* pattern : {L"*", L"*.txt", L"", L"no|such<pattern"}) {
    if (std::wstring(pattern) != L"*") {
      ASSERT_EQ(folder->put_SearchWildCard(Bstr(pattern).get()), S_OK);
    }
    Bstr stored;
    ASSERT_EQ(folder->get_SearchWildCard(stored.put()), S_OK);
    EXPECT_EQ(stored.view(), pattern);
  }
  EXPECT_EQ(folder->get_SearchWildCard(nullptr), E_POINTER);
}

// --- properties read from the directory entry ----------------------------------------------------

TEST_F(FolderTest, AttributesReportTheDirectoryAndSetOnlyTheSettableBits) {
  MakeDir(scratch_ / L"sub");
  ComPtr<IFolder> folder = Folder(scratch_ / L"sub");
  ASSERT_TRUE(folder);
  QFFileAttribute attributes = QFNormal;
  ASSERT_EQ(folder->get_Attributes(&attributes), S_OK);
  EXPECT_TRUE(attributes & QFDirectory);

  ASSERT_EQ(folder->put_Attributes(static_cast<QFFileAttribute>(QFHidden | QFVolume)), S_OK);
  ASSERT_EQ(folder->get_Attributes(&attributes), S_OK);
  EXPECT_TRUE(attributes & QFHidden);
  EXPECT_FALSE(attributes & QFVolume) << "volume is never set nor reported";
  ASSERT_EQ(folder->put_Attributes(QFNormal), S_OK);
  ASSERT_EQ(folder->get_Attributes(&attributes), S_OK);
  EXPECT_FALSE(attributes & QFHidden);

  ClearError();
  for (QFFileAttribute refused : {QFDirectory, QFAlias, QFCompressed}) {
    EXPECT_EQ(folder->put_Attributes(refused), E_INVALIDARG) << refused;
    EXPECT_FALSE(TakeError().present) << "a bare refusal carries no description";
  }
}

TEST_F(FolderTest, DatesComeInLocalTimeWithoutMilliseconds) {
  MakeDir(scratch_ / L"dated");
  {
    HANDLE dir = ::CreateFileW((scratch_ / L"dated").c_str(), FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(dir, INVALID_HANDLE_VALUE);
    SYSTEMTIME utc{2021, 1, 5, 15, 12, 0, 0, 750};  // 15 January 2021, 12:00:00.750 UTC
    FILETIME stamp;
    ::SystemTimeToFileTime(&utc, &stamp);
    EXPECT_TRUE(::SetFileTime(dir, nullptr, &stamp, &stamp));
    ::CloseHandle(dir);
  }
  ComPtr<IFolder> folder = Folder(scratch_ / L"dated");
  ASSERT_TRUE(folder);
  // The tests run with TZ=Europe/Berlin: one hour ahead of UTC in January.
  SYSTEMTIME local{2021, 1, 5, 15, 13, 0, 0, 0};
  DATE expected = 0;
  ::SystemTimeToVariantTime(&local, &expected);
  DATE modified = 0, accessed = 0;
  EXPECT_EQ(folder->get_DateLastModified(&modified), S_OK);
  EXPECT_EQ(folder->get_DateLastAccessed(&accessed), S_OK);
  EXPECT_DOUBLE_EQ(modified, expected);
  EXPECT_DOUBLE_EQ(accessed, expected);
}

TEST_F(FolderTest, DriveRootHasNoDatesOfItsOwn) {
  ComPtr<IFolder> root = Folder(L"C:\\");
  ASSERT_TRUE(root);
  DATE date = 0;
  const HRESULT hr = root->get_DateCreated(&date);
  ASSERT_TRUE(FAILED(hr));
  EXPECT_EQ(TakeError().description, SystemText(HRESULT_CODE(hr))) << "the platform's own reason";
}

TEST_F(FolderTest, ShortPathNamesTheSameFolderInShortForm) {
  MakeDir(scratch_ / L"A long folder name");
  ComPtr<IFolder> folder = Folder(scratch_ / L"A long folder name");
  ASSERT_TRUE(folder);
  Bstr shortPath, shortName;
  ASSERT_EQ(folder->get_ShortPath(shortPath.put()), S_OK);
  ASSERT_EQ(folder->get_ShortName(shortName.put()), S_OK);
  const std::wstring path(shortPath.view()), name(shortName.view());
  EXPECT_LE(name.size(), 12u);
  EXPECT_EQ(name.find(L' '), std::wstring::npos);
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(path.substr(path.size() - name.size() - 1), L"\\" + name);
  EXPECT_TRUE(Exists(path)) << "the short path reaches the folder";
}

TEST_F(FolderTest, PropertiesOfAVanishedFolderReportThePlatformError) {
  MakeDir(scratch_ / L"gone");
  ComPtr<IFolder> folder = Folder(scratch_ / L"gone");
  ASSERT_TRUE(folder);
  ASSERT_TRUE(::RemoveDirectoryW((scratch_ / L"gone").c_str()));
  Bstr text;
  QFFileAttribute attributes;
  DATE date;
  for (HRESULT hr : {folder->get_ShortPath(text.put()), folder->get_Attributes(&attributes),
                     folder->get_DateLastModified(&date)}) {
    ASSERT_TRUE(FAILED(hr));
    EXPECT_EQ(HRESULT_FACILITY(hr), FACILITY_WIN32);
  }
}

TEST_F(FolderTest, FileSystemOfTheSystemDrive) {
  ComPtr<IFolder> folder = Folder(scratch_.path());
  ASSERT_TRUE(folder);
  wchar_t name[64] = {};
  ASSERT_TRUE(::GetVolumeInformationW(L"C:\\", nullptr, 0, nullptr, nullptr, nullptr, name, 64));
  if (std::wstring(name) != L"NTFS") GTEST_SKIP() << "drive C: is not NTFS here";
  QFFileSystemType type = static_cast<QFFileSystemType>(-1);
  EXPECT_EQ(folder->get_FileSystem(&type), S_OK);
  EXPECT_EQ(type, QFFILESYSTEM_NTFS);
}

}  // namespace
}  // namespace docket::test
