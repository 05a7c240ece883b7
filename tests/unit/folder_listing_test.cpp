// Files and SubFolders, snapshots of a folder's entries, and File.ParentFolder.
#include "folder_test_support.h"

#include <vector>

namespace docket::test {
namespace {

template <class Item>
std::wstring NameOfItem(Item* item) {
  return TextOf(item, &Item::get_Name);
}

// The names of a collection's items in enumeration order.
template <class Item, class Collection>
std::vector<std::wstring> Names(Collection* collection) {
  ComPtr<IUnknown> unknown;
  ComPtr<IEnumVARIANT> items;
  EXPECT_EQ(collection->get__NewEnum(unknown.put()), S_OK);
  EXPECT_EQ(unknown.As(&items), S_OK);
  std::vector<std::wstring> names;
  for (Variant element; items->Next(1, element.put(), nullptr) == S_OK;) {
    ComPtr<Item> item;
    EXPECT_EQ(V_DISPATCH(element.get())->QueryInterface(__uuidof(Item), item.put_void()), S_OK);
    names.push_back(NameOfItem(item.get()));
  }
  return names;
}
using NameList = std::vector<std::wstring>;

// Item(key) as a script asks for it; the key is freed afterwards.
template <class Collection, class Item>
HRESULT ItemOf(Collection* collection, VARIANT key, ComPtr<Item>* item) {
  const HRESULT hr = collection->get_Item(key, item->put());
  ::VariantClear(&key);
  return hr;
}

struct FolderListingTest : ManagerTest {
  ComPtr<IFolder> folder;

  void SetUp() override { ASSERT_EQ(GetFolderOf(manager.get(), dir.path(), &folder), S_OK); }
  ComPtr<IFileCollection> Files(IFolder* of) {
    ComPtr<IFileCollection> files;
    EXPECT_EQ(of->get_Files(files.put()), S_OK);
    return files;
  }
  ComPtr<IFolderCollection> SubFolders(IFolder* of) {
    ComPtr<IFolderCollection> folders;
    EXPECT_EQ(of->get_SubFolders(folders.put()), S_OK);
    return folders;
  }
  void Pattern(const std::wstring& pattern) {
    ASSERT_EQ(folder->put_SearchWildCard(Bstr(pattern).get()), S_OK);
  }
};

using FolderCollectionTest = FolderListingTest;

TEST_F(FolderCollectionTest, FilesMatchThePatternAndSubFoldersTakeEveryDirectory) {
  // \u00E9\u20AC: a name in the system code page (1252 here) is listed as it was written.
  for (const wchar_t* name : {L"b.txt", L"A.txt", L"_c.txt", L"x.log", L"\u00E9\u20AC.log"})
    WriteBytes(dir / name, "");
  MakeDirs(dir, {L"folder.txt", L".config"});
  EXPECT_EQ(Names<IFile>(Files(folder.get()).get()),
            (NameList{L"_c.txt", L"A.txt", L"b.txt", L"x.log", L"\u00E9\u20AC.log"}));
  Pattern(L"*.TXT");
  ComPtr<IFileCollection> files = Files(folder.get());
  EXPECT_EQ(Names<IFile>(files.get()), (NameList{L"_c.txt", L"A.txt", L"b.txt"}));
  ComPtr<IFile> file;
  ASSERT_EQ(ItemOf(files.get(), VBstr(L"B.TXT"), &file), S_OK);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), dir / L"b.txt");
  EXPECT_EQ(Names<IFolder>(SubFolders(folder.get()).get()), (NameList{L".config", L"folder.txt"}))
      << "never . or .., whatever the pattern";
}

TEST_F(FolderCollectionTest, NothingToListGivesAnEmptyCollection) {
  WriteBytes(dir / L"a.txt", "");
  for (const wchar_t* pattern : {L"*.none", L""}) {  // "" leaves a pattern the listing refuses
    Pattern(pattern);
    EXPECT_EQ(Names<IFile>(Files(folder.get()).get()), NameList{}) << pattern;
  }
  Pattern(std::wstring(260, L'?'));
  ComPtr<IFileCollection> files;
  EXPECT_TRUE(IsSystemError(folder->get_Files(files.put()), ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(files);

  MakeDirs(dir, {L"gone"});
  ComPtr<IFolder> gone;
  ASSERT_EQ(GetFolderOf(manager.get(), dir / L"gone", &gone), S_OK);
  ASSERT_TRUE(::RemoveDirectoryW((dir / L"gone").c_str()));
  EXPECT_EQ(Names<IFile>(Files(gone.get()).get()), NameList{});
  EXPECT_EQ(Names<IFolder>(SubFolders(gone.get()).get()), NameList{});
}

TEST_F(FolderCollectionTest, CollectionsAreSnapshotsThatSolelyHoldTheirItems) {
  MakeDirs(dir, {L"sub", L"sub\\inner"});
  WriteBytes(dir / L"sub\\first.txt", "");
  ComPtr<IFolder> sub;  // with a trailing backslash: entries still get single separators
  ASSERT_EQ(GetFolderOf(manager.get(), dir / L"sub\\", &sub), S_OK);
  ComPtr<IFileCollection> files = Files(sub.get());
  ComPtr<IFolderCollection> folders = SubFolders(sub.get());
  WriteBytes(dir / L"sub\\second.txt", "");
  EXPECT_EQ(Names<IFile>(files.get()), NameList{L"first.txt"});
  EXPECT_EQ(Names<IFile>(Files(sub.get()).get()), (NameList{L"first.txt", L"second.txt"}));

  ComPtr<IFolder> inner;
  ASSERT_EQ(ItemOf(folders.get(), VI4(1), &inner), S_OK);
  files.reset();
  folders.reset();
  sub.reset();
  EXPECT_EQ(PathOf(inner.get()), dir / L"sub\\inner") << "an item outlives its collection";
  inner.reset();
  folder.reset();
  manager.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "and nothing outlives the last reference";
}

TEST_F(FolderListingTest, FileParentFolderIsTheFolderThatHoldsTheFile) {
  WriteBytes(dir / L"a.txt", "");
  const std::wstring atRoot = L"C:\\docket-parent-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  WriteBytes(atRoot, "");
  const std::pair<std::wstring, std::wstring> cases[] = {
      {dir / L"a.txt", dir.path()}, {atRoot, L"C:\\"}, {L"a.txt", dir.path()}};  // bare: current
  CurrentDirectoryChange current(dir.path());
  for (const auto& [path, parent] : cases) {
    ComPtr<IFile> file;
    ComPtr<IFolder> folder;
    ASSERT_EQ(GetFileOf(manager.get(), path, &file), S_OK);
    ASSERT_EQ(file->get_ParentFolder(folder.put()), S_OK);
    EXPECT_EQ(PathOf(folder.get()), parent);
  }
  ::DeleteFileW(atRoot.c_str());
}

}  // namespace
}  // namespace docket::test
