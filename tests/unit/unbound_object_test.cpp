// Objects a client creates by name stand for nothing: each member that would work on the disk
// refuses, the members that report what the object holds answer with nothing, and an object that
// has been bound once refuses to be bound again.
#include "folder_test_support.h"
#include "stream_test_support.h"

#include <functional>
#include <utility>
#include <vector>

namespace docket::test {
namespace {

using Member = std::pair<const char*, std::function<HRESULT()>>;

void ExpectAllRefused(const std::vector<Member>& members) {
  for (const auto& [name, call] : members) {
    ClearError();
    EXPECT_TRUE(IsReported(call(), OLE_E_BLANK, kUnboundRefusal)) << name;
  }
}

// The names in a folder, "." and ".." aside.
std::vector<std::wstring> EntriesOf(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return names;
}

// The current directory is a scratch folder with a file and a subfolder in it: what an object
// standing for the empty path would list, change or delete. It must end as it began.
class UnboundObject : public testing::Test {
 protected:
  void SetUp() override {
    MakeDirs(dir_, {L"sub"});
    WriteBytes(dir_ / L"keep.txt", "keep");
    WriteBytes(dir_ / L"sub\\inner.txt", "inner");
  }
  void TearDown() override {
    EXPECT_EQ(EntriesOf(dir_.path()), (std::vector<std::wstring>{L"keep.txt", L"sub"}));
    EXPECT_EQ(EntriesOf(dir_ / L"sub"), (std::vector<std::wstring>{L"inner.txt"}));
  }
  template <class I>
  static ComPtr<I> ByName(REFCLSID clsid) {
    ComPtr<I> object;
    EXPECT_EQ(LoadedModule::Default().Create(clsid, object.put()), S_OK);
    return object;
  }

  ScratchDir dir_;
  CurrentDirectoryChange current_{dir_.path()};
  Bstr target_{L"x.txt"};
  DATE date_ = 0;
  QFFileAttribute attributes_ = QFNormal;
  QFFileSystemType fileSystem_ = QFFILESYSTEM_NTFS;
};

TEST_F(UnboundObject, FolderRefusesEveryMemberThatWorksOnTheDisk) {
  auto folder = ByName<IFolder>(CLSID_Folder);
  VARIANT_BOOL root = VARIANT_FALSE;
  ExpectAllRefused({
      {"Files", [&] { ComPtr<IFileCollection> c; return folder->get_Files(c.put()); }},
      {"SubFolders", [&] { ComPtr<IFolderCollection> c; return folder->get_SubFolders(c.put()); }},
      {"ShortPath", [&] { Bstr s; return folder->get_ShortPath(s.put()); }},
      {"ShortName", [&] { Bstr s; return folder->get_ShortName(s.put()); }},
      {"Name put", [&] { return folder->put_Name(target_.get()); }},
      {"DateCreated", [&] { return folder->get_DateCreated(&date_); }},
      {"DateLastModified", [&] { return folder->get_DateLastModified(&date_); }},
      {"DateLastAccessed", [&] { return folder->get_DateLastAccessed(&date_); }},
      {"Attributes", [&] { return folder->get_Attributes(&attributes_); }},
      {"Attributes put", [&] { return folder->put_Attributes(QFReadOnly); }},
      {"Size", [&] { Variant size; return folder->get_Size(size.put()); }},
      {"ParentFolder", [&] { ComPtr<IFolder> f; return folder->get_ParentFolder(f.put()); }},
      {"IsRootFolder", [&] { return folder->get_IsRootFolder(&root); }},
      {"FileSystem", [&] { return folder->get_FileSystem(&fileSystem_); }},
      {"Delete", [&] { return folder->Delete(VARIANT_TRUE); }},
      {"Copy", [&] { return folder->Copy(target_.get(), VARIANT_TRUE); }},
      {"Move", [&] { return folder->Move(target_.get()); }},
      {"CreateTextFile",
       [&] {
         ComPtr<ITextStream> s;
         return folder->CreateTextFile(target_.get(), VARIANT_TRUE, VARIANT_FALSE, s.put());
       }},
      {"CreateBinaryFile",
       [&] { ComPtr<IBinaryStream> s; return folder->CreateBinaryFile(target_.get(), VARIANT_TRUE, s.put()); }},
  });
  EXPECT_EQ(PathOf(folder.get()), L"");
  EXPECT_EQ(NameOf(folder.get()), L"");
  EXPECT_EQ(TextOf(folder.get(), &IFolder::get_SearchWildCard), L"*");
}

TEST_F(UnboundObject, FileRefusesEveryMemberThatWorksOnTheDisk) {
  auto file = ByName<IFile>(CLSID_File);
  ExpectAllRefused({
      {"Name put", [&] { return file->put_Name(target_.get()); }},
      {"DateCreated", [&] { return file->get_DateCreated(&date_); }},
      {"DateLastModified", [&] { return file->get_DateLastModified(&date_); }},
      {"DateLastAccessed", [&] { return file->get_DateLastAccessed(&date_); }},
      {"Attributes", [&] { return file->get_Attributes(&attributes_); }},
      {"Attributes put", [&] { return file->put_Attributes(QFReadOnly); }},
      {"Copy", [&] { return file->Copy(target_.get(), VARIANT_TRUE); }},
      {"Move", [&] { return file->Move(target_.get(), VARIANT_TRUE); }},
      {"Size", [&] { Variant size; return file->get_Size(size.put()); }},
      {"ParentFolder", [&] { ComPtr<IFolder> f; return file->get_ParentFolder(f.put()); }},
      {"Delete", [&] { return file->Delete(VARIANT_TRUE); }},
      {"ShortPath", [&] { Bstr s; return file->get_ShortPath(s.put()); }},
      {"ShortName", [&] { Bstr s; return file->get_ShortName(s.put()); }},
      {"FileSystem", [&] { return file->get_FileSystem(&fileSystem_); }},
      {"OpenAsTextStream",
       [&] { ComPtr<ITextStream> s; return file->OpenAsTextStream(ForWriting, TristateFalse, s.put()); }},
      {"OpenAsBinaryStream",
       [&] { ComPtr<IBinaryStream> s; return file->OpenAsBinaryStream(ForWriting, s.put()); }},
  });
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), L"");
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Name), L"");
  LONG accessible = 1;
  EXPECT_EQ(file->get_Accessible(&accessible), S_OK);
  EXPECT_EQ(accessible, 0);
}

TEST_F(UnboundObject, StreamsRefuseToReadWriteOrMove) {
  auto binary = ByName<IBinaryStream>(CLSID_BinaryStream);
  auto text = ByName<ITextStream>(CLSID_TextStream);
  ExpectAllRefused({
      {"Binary Read", [&] { Variant v; return binary->Read(4, v.put()); }},
      {"Binary ReadAll", [&] { Variant v; return binary->ReadAll(v.put()); }},
      {"Binary ReadVarAll", [&] { Variant v; return binary->ReadVarAll(v.put()); }},
      {"Binary Write",
       [&] {
         Variant bytes;
         *bytes.put() = ByteArray("ab");
         return binary->Write(bytes.get());
       }},
      {"Binary Fill", [&] { return binary->Fill('x', 3); }},
      {"Binary Skip", [&] { return binary->Skip(1); }},
      {"Text ReadLine", [&] { Bstr s; return text->ReadLine(s.put()); }},
      {"Text ReadAll", [&] { Bstr s; return text->ReadAll(s.put()); }},
      {"Text SkipLine", [&] { return text->SkipLine(); }},
      {"Text Write", [&] { return text->Write(target_.get()); }},
      {"Text WriteBlankLines", [&] { return text->WriteBlankLines(1); }},
  });
  VARIANT_BOOL end = VARIANT_TRUE;
  EXPECT_EQ(binary->get_AtEndOfStream(&end), S_OK);
  EXPECT_EQ(end, VARIANT_FALSE);
  LONG line = 0;
  EXPECT_EQ(text->get_Line(&line), S_OK);
  EXPECT_EQ(line, 1);
}

TEST_F(UnboundObject, CollectionsAreEmptyAndStayWhatTheyAre) {
  auto files = ByName<IFileCollection>(CLSID_Files);
  LONG count = -1;
  EXPECT_EQ(files->get_Count(&count), S_OK);
  EXPECT_EQ(count, 0);
  ComPtr<IFile> item;
  EXPECT_TRUE(IsReported(files->get_Item(VI4(1), item.put()), DISP_E_EXCEPTION, L"Index out of range."));
}

// Bound once, an object keeps what it stands for: the initialisation is refused before it looks
// at anything, and nothing it holds changes.
class BoundObject : public testing::Test {
 protected:
  void SetUp() override {
    MakeDirs(dir_, {L"sub"});
    WriteBytes(first_, "first");
  }
  template <class Init, class I>
  static ComPtr<Init> InitOf(const ComPtr<I>& object) {
    ComPtr<Init> init;
    EXPECT_EQ(object.As(&init), S_OK);
    return init;
  }

  ScratchDir dir_;
  std::wstring first_ = dir_ / L"first.txt";
  Bstr other_{dir_ / L"other.txt"};
  ComPtr<IFileManager> manager_ = NewManager();
};

TEST_F(BoundObject, FileAndFolderRefuseASecondPath) {
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFolderOf(manager_.get(), dir_.path(), &folder), S_OK);
  EXPECT_EQ(InitOf<IFolderInit>(folder)->InitPath(Bstr(dir_ / L"sub").get()), E_UNEXPECTED);
  EXPECT_EQ(PathOf(folder.get()), dir_.path());

  ComPtr<IFile> file;
  ASSERT_EQ(GetFileOf(manager_.get(), first_, &file), S_OK);
  auto init = InitOf<IFileInit>(file);
  EXPECT_EQ(init->InitPath(other_.get()), E_UNEXPECTED);
  EXPECT_EQ(init->InitFolderName(dir_.path().c_str(), Bstr(L"other.txt").get()), E_UNEXPECTED);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), first_);
}

TEST_F(BoundObject, AFolderCreatedByNameWorksOnceItsInitialisationBindsIt) {
  ComPtr<IFolder> folder;
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_Folder, folder.put()), S_OK);
  auto init = InitOf<IFolderInit>(folder);
  EXPECT_NE(init->InitPath(Bstr(dir_ / L"missing").get()), S_OK);
  EXPECT_EQ(init->InitPath(Bstr(dir_.path()).get()), S_OK) << "a failed binding leaves it unbound";
  Variant size;
  EXPECT_EQ(folder->get_Size(size.put()), S_OK);
  EXPECT_EQ(V_R8(size.get()), 5.0);
  EXPECT_EQ(init->InitPath(Bstr(dir_ / L"sub").get()), E_UNEXPECTED);
}

TEST_F(BoundObject, StreamsRefuseASecondFileAndGoOnWithTheirFirst) {
  ComPtr<ITextStream> text;
  ASSERT_EQ(manager_->OpenTextFile(Bstr(first_).get(), ForReading, VARIANT_FALSE, TristateFalse, text.put()), S_OK);
  EXPECT_EQ(InitOf<ITextStreamInit>(text)->Create(other_.get(), VARIANT_TRUE, VARIANT_FALSE), E_UNEXPECTED);
  EXPECT_EQ(TextOf(text.get(), &ITextStream::ReadAll), L"first");

  ComPtr<IBinaryStream> binary;
  ASSERT_EQ(manager_->OpenBinaryFile(Bstr(first_).get(), ForReading, VARIANT_FALSE, binary.put()), S_OK);
  auto init = InitOf<IBinaryStreamInit>(binary);
  EXPECT_EQ(init->Create(other_.get(), VARIANT_TRUE), E_UNEXPECTED);
  EXPECT_EQ(init->Open(other_.get(), ForWriting, VARIANT_TRUE), E_UNEXPECTED);
  EXPECT_FALSE(Exists(other_.get()));
  Variant bytes;
  EXPECT_EQ(binary->ReadAll(bytes.put()), S_OK);
  EXPECT_EQ(BytesOf(*bytes.get()), "first");
}

TEST_F(BoundObject, ACollectionTakesNothingMoreOnceHandedOut) {
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFolderOf(manager_.get(), dir_.path(), &folder), S_OK);
  ComPtr<IFileCollection> files;
  ASSERT_EQ(folder->get_Files(files.put()), S_OK);
  Variant key, item;
  *key.put() = VBstr(L"extra");
  *item.put() = VI4(1);
  EXPECT_EQ(InitOf<IFileCollectionInit>(files)->Add(key.get(), item.get()), E_UNEXPECTED);
  LONG count = 0;
  EXPECT_EQ(files->get_Count(&count), S_OK);
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace docket::test
