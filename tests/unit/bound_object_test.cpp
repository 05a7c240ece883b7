// An object bound once refuses to be bound again. (That objects created by name refuse every
// member that would touch the disk is checked through Wine's own cscript, from the root of a
// scratch drive: tests/scratch_drive.)
#include "folder_test_support.h"
#include "stream_test_support.h"

namespace docket::test {
namespace {

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

TEST_F(BoundObject, ADriveRefusesASecondSpecAndDrivesAnotherDrive) {
  ComPtr<IDrive> drive;
  ASSERT_EQ(manager_->GetDrive(Bstr(L"C:").get(), drive.put()), S_OK);
  EXPECT_EQ(InitOf<IDriveInit>(drive)->Init(Bstr(L"Z:").get()), E_UNEXPECTED);
  EXPECT_EQ(TextOf(drive.get(), &IDrive::get_Path), L"C:");

  ComPtr<IDriveCollection> drives;
  ASSERT_EQ(manager_->get_Drives(drives.put()), S_OK);
  Variant key, item;
  *key.put() = VBstr(L"Q:\\");
  *item.put() = VI4(1);
  EXPECT_EQ(InitOf<IDriveCollectionInit>(drives)->Add(key.get(), item.get()), E_UNEXPECTED);
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
