// The Folder object, its Files and SubFolders, and the service's folder methods.
#include "folder_test_support.h"

#include <vector>

namespace docket::test {
namespace {

using NameList = std::vector<std::wstring>;

struct FolderTest : ManagerTest {
  ComPtr<IFolder> folder = FolderAt(dir.path());

  // The names of the items of a folder's Files or SubFolders, in enumeration order.
  template <class Item, class Collection>
  static NameList Names(IFolder* of, HRESULT (STDMETHODCALLTYPE IFolder::*get)(Collection**)) {
    ComPtr<Collection> collection;
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    EXPECT_TRUE((of->*get)(collection.put()) == S_OK && collection->get__NewEnum(unknown.put()) == S_OK &&
                unknown.As(&items) == S_OK);
    NameList names;
    for (Variant element; items->Next(1, element.put(), nullptr) == S_OK;) {
      ComPtr<Item> item;
      EXPECT_EQ(V_DISPATCH(element.get())->QueryInterface(__uuidof(Item), item.put_void()), S_OK);
      names.push_back(TextOf(item.get(), &Item::get_Name));
    }
    return names;
  }
  static NameList FileNames(IFolder* of) { return Names<IFile>(of, &IFolder::get_Files); }
  static NameList FolderNames(IFolder* of) { return Names<IFolder>(of, &IFolder::get_SubFolders); }
  void Pattern(const std::wstring& pattern) { ASSERT_EQ(folder->put_SearchWildCard(Bstr(pattern).get()), S_OK); }
};

// Item(key) as a script asks for it; the key is freed.
template <class Collection, class Item>
HRESULT ItemOf(Collection* collection, VARIANT key, ComPtr<Item>* item) {
  const HRESULT hr = collection->get_Item(key, item->put());
  ::VariantClear(&key);
  return hr;
}

TEST_F(FolderTest, APathBecomesAbsoluteAndATrailingBackslashStays) {
  MakeDirs(dir, {L"sub"});
  CurrentDirectoryChange current(dir.path());
  folder = FolderAt(L"sub\\.\\");
  ComPtr<IFolder> parent;
  DATE date = 0;
  EXPECT_EQ(PathOf(folder.get()) + L"|" + NameOf(folder.get()), dir / L"sub\\|") << "no last component";
  ASSERT_EQ(folder->get_ParentFolder(parent.put()), S_OK);
  EXPECT_EQ(PathOf(parent.get()), dir.path());
  EXPECT_EQ(folder->get_DateCreated(&date), S_OK) << "its own entry, not one inside it";
}

TEST_F(FolderTest, ADriveRootIsItsOwnParentAndAScriptSeesNothing) {
  ComPtr<IFolder> root = FolderAt(L"C:\\");
  VARIANT_BOOL isRoot = VARIANT_FALSE;
  EXPECT_TRUE(NameOf(root.get()).empty() && root->get_IsRootFolder(&isRoot) == S_OK && isRoot == VARIANT_TRUE);
  Variant parent;
  EXPECT_EQ(CallByName(root.get(), L"ParentFolder", DISPATCH_PROPERTYGET, {}, parent.get()).hr, S_OK);
  EXPECT_TRUE(parent.type() == VT_DISPATCH && V_DISPATCH(parent.get()) == nullptr);
  DATE date = 0;  // a root has no listing entry of its own, so no dates: the platform says why
  const HRESULT hr = root->get_DateCreated(&date);
  EXPECT_TRUE(IsSystemError(hr, HRESULT_CODE(hr)));
}

TEST_F(FolderTest, PathsThatNameNoFolderAreRefused) {
  WriteBytes(dir / L"file.txt", "x");
  EXPECT_TRUE(IsReported(GetFolderOf(manager.get(), dir / L"file.txt", &folder), DISP_E_EXCEPTION,
                         L"Argument must be a directory."));
  // Short enough as given, but its absolute form outgrows the 255 characters a folder keeps.
  CurrentDirectoryChange current(dir.path());
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), std::wstring(254, L'y'), &folder), ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(folder);
}

TEST_F(FolderTest, RenamingMovesTheFolderAndTheObjectFollows) {
  MakeDirs(dir, {L"old", L"taken"});
  WriteBytes(dir / L"old\\inside.txt", "kept");
  folder = FolderAt(dir / L"old");
  EXPECT_TRUE(IsSystemError(folder->put_Name(Bstr(L"taken").get()), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(PathOf(folder.get()), dir / L"old") << "a failed rename changes nothing";
  ASSERT_EQ(folder->put_Name(Bstr(L"new").get()), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"new\\inside.txt"), "kept");
  EXPECT_EQ(NameOf(folder.get()) + L" " + PathOf(folder.get()), L"new " + (dir / L"new"));
}

TEST_F(FolderTest, ShortPathReachesTheFolderWithoutItsSpaces) {
  MakeDirs(dir, {L"A long folder name"});
  const std::wstring path = TextOf(FolderAt(dir / L"A long folder name").get(), &IFolder::get_ShortPath);
  EXPECT_TRUE(path.find(L' ') == std::wstring::npos && Exists(path)) << path;
}

TEST_F(FolderTest, SpecialFoldersAreTheSystemsOwn) {
  wchar_t windows[MAX_PATH], system[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  ::GetSystemDirectoryW(system, MAX_PATH);
  ComPtr<IFolder> other;
  ASSERT_TRUE(manager->GetSpecialFolder(WindowsFolder, folder.put()) == S_OK &&
              manager->GetSpecialFolder(SystemFolder, other.put()) == S_OK);
  EXPECT_EQ(PathOf(folder.get()) + L"|" + PathOf(other.get()), std::wstring(windows) + L"|" + system);
}

TEST_F(FolderTest, CreateFolderMakesEveryMissingLevelOrGivesThePlatformsReason) {
  WriteBytes(dir / L"file.txt", "x");
  const auto create = [&](const std::wstring& path) { return manager->CreateFolder(Bstr(path).get(), folder.put()); };
  ASSERT_EQ(create(dir / L"x\\y\\z\\"), S_OK);
  EXPECT_EQ(PathOf(folder.get()), dir / L"x\\y\\z\\") << "the path as the caller wrote it";
  ASSERT_EQ(create(dir / L"p/q/r"), S_OK);
  EXPECT_TRUE(Exists(dir / L"p\\q\\r")) << "forward slashes separate levels too";
  EXPECT_TRUE(IsSystemError(create(dir / L"x\\y"), ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(folder);
  for (const std::wstring& path : {dir / L"file.txt\\sub\\deeper", std::wstring(L"Q:\\no\\such"), dir / L"b<d>\\s"}) {
    const HRESULT hr = create(path);  // the reason, not the parent that is there already
    EXPECT_TRUE(hr != Win32Code(ERROR_ALREADY_EXISTS) && IsSystemError(hr, HRESULT_CODE(hr))) << path;
  }
  EXPECT_EQ(manager->CreateFolder(Bstr(dir / L"unmade").get(), nullptr), E_POINTER);
  EXPECT_FALSE(Exists(dir / L"unmade"));
}

TEST_F(FolderTest, ServiceFrontsWorkThroughAFolderAndPassItsFailuresOn) {
  MakeDirs(dir, {L"tree", L"other"});
  WriteBytes(dir / L"tree\\a.txt", "new");
  WriteBytes(dir / L"other\\a.txt", "old");
  // As a script calls them: the Folder is the source of what it reports.
  const CallResult refused = CallByName(manager.get(), L"CopyFolder", DISPATCH_METHOD,
      {VBstr((dir / L"tree").c_str()), VBstr((dir / L"other").c_str()), VBool(false)});
  EXPECT_EQ(refused.description + L" " + refused.source, L"Destination directory already exists. Docket.Folder.1");
  EXPECT_EQ(CallByName(manager.get(), L"CopyFolder", DISPATCH_METHOD,
                       {VBstr((dir / L"tree").c_str()), VBstr((dir / L"other").c_str())}).hr, S_OK);
  EXPECT_EQ(ReadBytes(dir / L"other\\a.txt"), "new") << "overwriting unless told otherwise";
  const Bstr other(dir / L"other"), moved(dir / L"moved");
  ASSERT_TRUE(manager->MoveFolder(other.get(), moved.get()) == S_OK && Exists(dir / L"moved\\a.txt"));
  EXPECT_TRUE(manager->DeleteFolder(moved.get(), VARIANT_FALSE) == S_OK && !Exists(dir / L"moved"));
}

TEST_F(FolderTest, FilesMatchThePatternAndSubFoldersTakeEveryDirectory) {
  // \u00E9\u20AC: a name in the system code page (1252 here) is listed as it was written.
  for (const wchar_t* name : {L"b.txt", L"A.txt", L"_c.txt", L"x.log", L"\u00E9\u20AC.log"}) WriteBytes(dir / name, "");
  MakeDirs(dir, {L"folder.txt", L".config"});
  EXPECT_EQ(FileNames(folder.get()), (NameList{L"_c.txt", L"A.txt", L"b.txt", L"x.log", L"\u00E9\u20AC.log"}));
  Pattern(L"*.TXT");
  EXPECT_EQ(FileNames(folder.get()), (NameList{L"_c.txt", L"A.txt", L"b.txt"}));
  ComPtr<IFileCollection> files;
  ComPtr<IFile> file;
  ASSERT_TRUE(folder->get_Files(files.put()) == S_OK && ItemOf(files.get(), VBstr(L"B.TXT"), &file) == S_OK);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), dir / L"b.txt");
  EXPECT_EQ(FolderNames(folder.get()), (NameList{L".config", L"folder.txt"})) << "never . or .., whatever the pattern";
}

TEST_F(FolderTest, NothingToListGivesAnEmptyCollection) {
  WriteBytes(dir / L"a.txt", "");
  for (const wchar_t* pattern : {L"*.none", L""}) {  // "" leaves a pattern the listing refuses
    Pattern(pattern);
    EXPECT_EQ(FileNames(folder.get()), NameList{}) << pattern;
  }
  Pattern(std::wstring(260, L'?'));
  ComPtr<IFileCollection> files;
  EXPECT_TRUE(IsSystemError(folder->get_Files(files.put()), ERROR_FILENAME_EXCED_RANGE) && !files);
  MakeDirs(dir, {L"gone"});
  ComPtr<IFolder> gone = FolderAt(dir / L"gone");
  ASSERT_TRUE(::RemoveDirectoryW((dir / L"gone").c_str()));
  EXPECT_TRUE(FileNames(gone.get()).empty() && FolderNames(gone.get()).empty());
}

TEST_F(FolderTest, CollectionsAreSnapshotsThatSolelyHoldTheirItems) {
  MakeDirs(dir, {L"sub", L"sub\\inner"});
  WriteBytes(dir / L"sub\\first.txt", "");
  ComPtr<IFolder> sub = FolderAt(dir / L"sub\\");  // a trailing backslash: entries still get single separators
  ComPtr<IFileCollection> files;
  ComPtr<IFolderCollection> folders;
  ASSERT_TRUE(sub->get_Files(files.put()) == S_OK && sub->get_SubFolders(folders.put()) == S_OK);
  WriteBytes(dir / L"sub\\second.txt", "");
  long count = 0;
  EXPECT_TRUE(files->get_Count(&count) == S_OK && count == 1) << "the listing as it was: " << count;
  EXPECT_EQ(FileNames(sub.get()), (NameList{L"first.txt", L"second.txt"}));
  ComPtr<IFolder> inner;
  ASSERT_EQ(ItemOf(folders.get(), VI4(1), &inner), S_OK);
  files.reset(), folders.reset(), sub.reset();
  EXPECT_EQ(PathOf(inner.get()), dir / L"sub\\inner") << "an item outlives its collection";
}

TEST_F(FolderTest, FileParentFolderIsTheFolderThatHoldsTheFile) {
  WriteBytes(dir / L"a.txt", "");
  const std::wstring atRoot = L"C:\\docket-parent-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  WriteBytes(atRoot, "");
  CurrentDirectoryChange current(dir.path());
  for (const auto& [path, parent] : {std::pair{dir / L"a.txt", dir.path()}, {atRoot, L"C:\\"}, {L"a.txt", dir.path()}})
    EXPECT_TRUE(FileAt(path)->get_ParentFolder(folder.put()) == S_OK && PathOf(folder.get()) == parent) << path;
  ::DeleteFileW(atRoot.c_str());
}

}  // namespace
}  // namespace docket::test
