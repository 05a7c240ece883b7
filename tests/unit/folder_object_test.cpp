// The Folder object: what it makes of a path, its parent, its rename, and what it reads from its
// own directory entry (dates and attributes come through the helpers File uses, tested there).
#include "folder_test_support.h"

namespace docket::test {
namespace {

using FolderTest = ManagerTest;

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
