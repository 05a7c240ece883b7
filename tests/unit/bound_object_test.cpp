// Bound once, an object keeps what it stands for: a second initialisation is refused before it
// looks at anything, and nothing it holds changes. (That objects created by name refuse every
// member that would touch the disk is checked through Wine's own cscript: tests/scratch_drive.)
#include "folder_test_support.h"
#include "stream_test_support.h"

namespace docket::test {
namespace {

template <class Init, class I>
ComPtr<Init> InitOf(const ComPtr<I>& object) {
  ComPtr<Init> init;
  EXPECT_EQ(object.As(&init), S_OK);
  return init;
}

// A collection's private Add, with a key and a number as the element.
template <class Init>
HRESULT AddTo(const ComPtr<Init>& init, const wchar_t* key) {
  Variant k, item;
  *k.get() = VBstr(key);
  *item.get() = VI4(1);
  return init->Add(k.get(), item.get());
}

struct BoundObject : ManagerTest {
  void SetUp() override {
    MakeDirs(dir, {L"sub"});
    WriteBytes(first, "first");
  }
  std::wstring first = dir / L"first.txt";
  Bstr other{dir / L"other.txt"};
};

TEST_F(BoundObject, FileFolderAndDriveRefuseASecondBinding) {
  ComPtr<IFolder> folder = FolderAt(dir.path());
  EXPECT_EQ(InitOf<IFolderInit>(folder)->InitPath(Bstr(dir / L"sub").get()), E_UNEXPECTED);
  EXPECT_EQ(PathOf(folder.get()), dir.path());

  ComPtr<IFile> file = FileAt(first);
  auto init = InitOf<IFileInit>(file);
  EXPECT_EQ(init->InitPath(other.get()), E_UNEXPECTED);
  EXPECT_EQ(init->InitFolderName(dir.path().c_str(), Bstr(L"other.txt").get()), E_UNEXPECTED);
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path), first);

  ComPtr<IDrive> drive;
  ASSERT_EQ(manager->GetDrive(Bstr(L"C:").get(), drive.put()), S_OK);
  EXPECT_EQ(InitOf<IDriveInit>(drive)->Init(Bstr(L"Z:").get()), E_UNEXPECTED);
  EXPECT_EQ(TextOf(drive.get(), &IDrive::get_Path), L"C:");
}

TEST_F(BoundObject, CollectionsTakeNothingMoreOnceHandedOut) {
  ComPtr<IDriveCollection> drives;
  ComPtr<IFileCollection> files;
  ASSERT_EQ(manager->get_Drives(drives.put()), S_OK);
  EXPECT_EQ(AddTo(InitOf<IDriveCollectionInit>(drives), L"Q:\\"), E_UNEXPECTED);
  ASSERT_EQ(FolderAt(dir.path())->get_Files(files.put()), S_OK);
  EXPECT_EQ(AddTo(InitOf<IFileCollectionInit>(files), L"extra"), E_UNEXPECTED);
  LONG count = 0;
  EXPECT_TRUE(files->get_Count(&count) == S_OK && count == 1) << count;
}

TEST_F(BoundObject, AFolderCreatedByNameWorksOnceItsInitialisationBindsIt) {
  ComPtr<IFolder> folder;
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_Folder, folder.put()), S_OK);
  auto init = InitOf<IFolderInit>(folder);
  EXPECT_NE(init->InitPath(Bstr(dir / L"missing").get()), S_OK);
  EXPECT_EQ(init->InitPath(Bstr(dir.path()).get()), S_OK) << "a failed binding leaves it unbound";
  Variant size;
  EXPECT_TRUE(folder->get_Size(size.put()) == S_OK && V_R8(size.get()) == 5.0) << V_R8(size.get());
  EXPECT_EQ(init->InitPath(Bstr(dir / L"sub").get()), E_UNEXPECTED);
}

TEST_F(BoundObject, StreamsRefuseASecondFileAndGoOnWithTheirFirst) {
  ComPtr<ITextStream> text;
  ASSERT_EQ(manager->OpenTextFile(Bstr(first).get(), ForReading, VARIANT_FALSE, TristateFalse, text.put()), S_OK);
  EXPECT_EQ(InitOf<ITextStreamInit>(text)->Create(other.get(), VARIANT_TRUE, VARIANT_FALSE), E_UNEXPECTED);
  EXPECT_EQ(TextOf(text.get(), &ITextStream::ReadAll), L"first");

  ComPtr<IBinaryStream> binary;
  ASSERT_EQ(manager->OpenBinaryFile(Bstr(first).get(), ForReading, VARIANT_FALSE, binary.put()), S_OK);
  auto init = InitOf<IBinaryStreamInit>(binary);
  EXPECT_EQ(init->Create(other.get(), VARIANT_TRUE), E_UNEXPECTED);
  EXPECT_EQ(init->Open(other.get(), ForWriting, VARIANT_TRUE), E_UNEXPECTED);
  EXPECT_FALSE(Exists(other.get()));
  Variant bytes;
  EXPECT_TRUE(binary->ReadAll(bytes.put()) == S_OK && BytesOf(*bytes.get()) == "first");
}

}  // namespace
}  // namespace docket::test
