// Files and SubFolders (snapshots of a folder's entries) and File.ParentFolder. They fill the
// collection classes and make File objects, which are built separately: until those are in the
// module, these tests skip.
#include "support/folder_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace docket::test {
namespace {

bool CollectionsBuilt() {
  ComPtr<IFileCollection> files;
  LONG count = 0;
  return LoadedModule::Default().Create(CLSID_Files, files.put()) == S_OK &&
         files->get_Count(&count) != E_NOTIMPL;
}

bool FilesBuilt() {
  ComPtr<IFileInit> file;
  wchar_t exe[MAX_PATH];
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  return LoadedModule::Default().CreateRaw(CLSID_File, __uuidof(IFileInit), file.put_void()) ==
             S_OK &&
         file->InitPath(Bstr(exe).get()) != E_NOTIMPL;
}

template <class Item>
std::wstring TextOf(Item* item, HRESULT (STDMETHODCALLTYPE Item::*get)(BSTR*)) {
  Bstr text;
  EXPECT_EQ((item->*get)(text.put()), S_OK);
  return std::wstring(text.view());
}

// The names of a collection's items in enumeration order.
template <class Collection, class Item>
std::vector<std::wstring> NamesOf(Collection* collection) {
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(collection->get__NewEnum(unknown.put()), S_OK);
  ComPtr<IEnumVARIANT> items;
  EXPECT_EQ(unknown.As(&items), S_OK);
  std::vector<std::wstring> names;
  Variant element;
  while (items && items->Next(1, element.put(), nullptr) == S_OK) {
    ComPtr<Item> item;
    EXPECT_EQ(element.type(), VT_DISPATCH);
    EXPECT_EQ(V_DISPATCH(element.get())->QueryInterface(__uuidof(Item), item.put_void()), S_OK);
    names.push_back(TextOf(item.get(), &Item::get_Name));
  }
  return names;
}

std::vector<std::wstring> FileNames(IFileCollection* files) {
  return NamesOf<IFileCollection, IFile>(files);
}
std::vector<std::wstring> FolderNames(IFolderCollection* folders) {
  return NamesOf<IFolderCollection, IFolder>(folders);
}

// Item(key) as a script asks for it; the key variant is freed afterwards.
template <class Collection, class Item>
HRESULT ItemOf(Collection* collection, VARIANT key, ComPtr<Item>* item) {
  const HRESULT hr = collection->get_Item(key, item->put());
  ::VariantClear(&key);
  return hr;
}

LONG CountOf(IFileCollection* files) {
  LONG count = -1;
  EXPECT_EQ(files->get_Count(&count), S_OK);
  return count;
}
LONG CountOf(IFolderCollection* folders) {
  LONG count = -1;
  EXPECT_EQ(folders->get_Count(&count), S_OK);
  return count;
}

class FolderListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CollectionsBuilt() || !FilesBuilt())
      GTEST_SKIP() << "the collections or File's initialisers are not in this module yet";
    manager_ = NewManager();
    ASSERT_EQ(GetFolder(manager_.get(), scratch_.path(), &folder_), S_OK);
  }

  ComPtr<IFileCollection> Files(IFolder* folder) {
    ComPtr<IFileCollection> files;
    EXPECT_EQ(folder->get_Files(files.put()), S_OK);
    return files;
  }
  ComPtr<IFolderCollection> SubFolders(IFolder* folder) {
    ComPtr<IFolderCollection> folders;
    EXPECT_EQ(folder->get_SubFolders(folders.put()), S_OK);
    return folders;
  }

  ComPtr<IFileManager> manager_;
  ScratchDir scratch_;
  ComPtr<IFolder> folder_;
};

TEST_F(FolderListingTest, FilesHoldTheMatchingFilesInKeyOrder) {
  for (const wchar_t* name : {L"b.txt", L"A.txt", L"_c.txt", L"x.log"}) WriteBytes(scratch_ / name, "");
  MakeDir(scratch_ / L"folder.txt");
  EXPECT_EQ(FileNames(Files(folder_.get()).get()),
            (std::vector<std::wstring>{L"_c.txt", L"A.txt", L"b.txt", L"x.log"}))
      << "every file, no folder, in the collections' order";

  ASSERT_EQ(folder_->put_SearchWildCard(Bstr(L"*.TXT").get()), S_OK);
  ComPtr<IFileCollection> files = Files(folder_.get());
  EXPECT_EQ(FileNames(files.get()),
            (std::vector<std::wstring>{L"_c.txt", L"A.txt", L"b.txt"}));
  ComPtr<IFile> file;
  ASSERT_EQ(ItemOf(files.get(), VI4(1), &file), S_OK);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Name), L"_c.txt");
  ASSERT_EQ(ItemOf(files.get(), VBstr(L"B.TXT"), &file), S_OK);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), scratch_ / L"b.txt");
}

TEST_F(FolderListingTest, SubFoldersListEveryDirectoryWhateverThePattern) {
  for (const wchar_t* name : {L"b", L"A", L".config"}) MakeDir(scratch_ / name);
  WriteBytes(scratch_ / L"file.txt", "");
  ASSERT_EQ(folder_->put_SearchWildCard(Bstr(L"*.txt").get()), S_OK);
  ComPtr<IFolderCollection> folders = SubFolders(folder_.get());
  EXPECT_EQ(FolderNames(folders.get()),
            (std::vector<std::wstring>{L".config", L"A", L"b"}))
      << "never \".\" or \"..\"";
  ComPtr<IFolder> sub;
  ASSERT_EQ(ItemOf(folders.get(), VBstr(L"a"), &sub), S_OK);
  EXPECT_EQ(PathOf(sub.get()), scratch_ / L"A");
}

TEST_F(FolderListingTest, NothingToListGivesEmptyCollections) {
  MakeDir(scratch_ / L"empty");
  ComPtr<IFolder> empty;
  ASSERT_EQ(GetFolder(manager_.get(), scratch_ / L"empty", &empty), S_OK);
  EXPECT_EQ(CountOf(Files(empty.get()).get()), 0);
  EXPECT_EQ(CountOf(SubFolders(empty.get()).get()), 0);

  WriteBytes(scratch_ / L"a.txt", "");
  // No match, and a pattern that ends in a separator, which the listing refuses.
  for (const wchar_t* pattern : {L"*.none", L""}) {
    ASSERT_EQ(folder_->put_SearchWildCard(Bstr(pattern).get()), S_OK);
    EXPECT_EQ(CountOf(Files(folder_.get()).get()), 0) << "pattern \"" << pattern << "\"";
  }

  ASSERT_TRUE(::RemoveDirectoryW((scratch_ / L"empty").c_str()));
  EXPECT_EQ(CountOf(Files(empty.get()).get()), 0) << "a vanished folder lists nothing";
  EXPECT_EQ(CountOf(SubFolders(empty.get()).get()), 0);
}

TEST_F(FolderListingTest, APatternPastThePathLimitIsRefused) {
  ASSERT_EQ(folder_->put_SearchWildCard(Bstr(std::wstring(260, L'?')).get()), S_OK);
  ComPtr<IFileCollection> files;
  EXPECT_EQ(Failed(folder_->get_Files(files.put())), SystemFailure(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(files);
}

TEST_F(FolderListingTest, CollectionsAreSnapshotsAndTheirItemsLiveOnTheirOwn) {
  WriteBytes(scratch_ / L"first.txt", "");
  MakeDir(scratch_ / L"dir");
  ComPtr<IFileCollection> before = Files(folder_.get());
  WriteBytes(scratch_ / L"second.txt", "");
  EXPECT_EQ(CountOf(before.get()), 1);
  EXPECT_EQ(CountOf(Files(folder_.get()).get()), 2);

  ComPtr<IFile> kept;
  ASSERT_EQ(ItemOf(before.get(), VBstr(L"first.txt"), &kept), S_OK);
  ComPtr<IFolderCollection> folders = SubFolders(folder_.get());
  EXPECT_EQ(CountOf(folders.get()), 1);
  before.reset();
  folder_.reset();
  EXPECT_EQ(TextOf(kept.get(), &IFile::get_Path), scratch_ / L"first.txt");

  // Each listed object has the collection as its one holder: with the last references gone,
  // nothing of the module is left alive.
  kept.reset();
  folders.reset();
  manager_.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

TEST_F(FolderListingTest, AFolderWithATrailingBackslashListsItsEntriesUnderSinglePaths) {
  MakeDir(scratch_ / L"sub");
  MakeDir(scratch_ / L"sub\\inner");
  WriteBytes(scratch_ / L"sub\\a.txt", "");
  ComPtr<IFolder> sub;
  ASSERT_EQ(GetFolder(manager_.get(), scratch_ / L"sub\\", &sub), S_OK);
  ComPtr<IFile> file;
  ASSERT_EQ(ItemOf(Files(sub.get()).get(), VI4(1), &file), S_OK);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), scratch_ / L"sub\\a.txt");
  ComPtr<IFolder> inner;
  ASSERT_EQ(ItemOf(SubFolders(sub.get()).get(), VI4(1), &inner), S_OK);
  EXPECT_EQ(PathOf(inner.get()), scratch_ / L"sub\\inner");
}

// --- File.ParentFolder ---------------------------------------------------------------------------

class FileParentFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!FilesBuilt()) GTEST_SKIP() << "File's initialisers are not in this module yet";
    manager_ = NewManager();
  }
  ComPtr<IFileManager> manager_;
  ScratchDir scratch_;
};

TEST_F(FileParentFolderTest, IsTheFolderThatHoldsTheFile) {
  WriteBytes(scratch_ / L"a.txt", "");
  ComPtr<IFile> file;
  ASSERT_EQ(manager_->GetFile(Bstr(scratch_ / L"a.txt").get(), file.put()), S_OK);
  ComPtr<IFolder> parent;
  ASSERT_EQ(file->get_ParentFolder(parent.put()), S_OK);
  EXPECT_EQ(PathOf(parent.get()), scratch_.path());
  EXPECT_EQ(file->get_ParentFolder(nullptr), E_POINTER);
}

TEST_F(FileParentFolderTest, OfAFileAtADriveRootIsTheRoot) {
  const std::wstring atRoot = L"C:\\docket-parent-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  WriteBytes(atRoot, "");
  ComPtr<IFile> file;
  ComPtr<IFolder> parent;
  const HRESULT made = manager_->GetFile(Bstr(atRoot).get(), file.put());
  if (SUCCEEDED(made)) {
    EXPECT_EQ(file->get_ParentFolder(parent.put()), S_OK);
  }
  ::DeleteFileW(atRoot.c_str());
  ASSERT_EQ(made, S_OK);
  ASSERT_TRUE(parent);
  EXPECT_EQ(PathOf(parent.get()), L"C:\\");
  VARIANT_BOOL root = VARIANT_FALSE;
  EXPECT_EQ(parent->get_IsRootFolder(&root), S_OK);
  EXPECT_EQ(root, VARIANT_TRUE);
}

TEST_F(FileParentFolderTest, OfABareFileNameIsTheCurrentDirectory) {
  WriteBytes(scratch_ / L"bare.txt", "");
  ComPtr<IFile> file;
  ComPtr<IFolder> parent;
  HRESULT made;
  {
    CurrentDirectoryChange current(scratch_.path());
    made = manager_->GetFile(Bstr(L"bare.txt").get(), file.put());
    if (SUCCEEDED(made)) {
      EXPECT_EQ(file->get_ParentFolder(parent.put()), S_OK);
    }
  }
  ASSERT_EQ(made, S_OK);
  ASSERT_TRUE(parent);
  EXPECT_EQ(PathOf(parent.get()), scratch_.path());
}

}  // namespace
}  // namespace docket::test
