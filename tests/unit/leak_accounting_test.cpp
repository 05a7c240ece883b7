// What a page does all day (open, read, close, list, ask, fail) must leave the process's handles and
// committed private memory where they were, round after round. The counters are proved first on
// rounds that keep, on purpose, what they opened.
#include "support/process_counters.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace docket::test {
namespace {

constexpr int kWarmUpRounds = 200;  // first-use allocations: type information, providers, caches
constexpr int kRounds = 10000;
constexpr size_t kHandleMargin = 4;
constexpr size_t kMemoryMargin = 2u << 20;

struct Footprint {
  size_t handles;
  size_t bytes;
};

Footprint Measure() { return {OpenHandleCount(), CommittedPrivateBytes()}; }

// What a round may keep instead of letting go: the leak the counters must see.
struct Kept {
  std::vector<ComPtr<IBinaryStream>> streams;
  std::vector<Bstr> texts;
};

class LeakAccounting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(manager_);
    WriteBytes(dir_ / L"data.txt", "line one\r\nline two\r\n");
    ::CreateDirectoryW((dir_ / L"sub").c_str(), nullptr);
    WriteBytes(dir_ / L"sub\\x.bin", std::string(100, 'x'));
  }

  // One round: every call checks its answer, so that a round that stops working does not pass
  // as one that leaks nothing. A null `kept` lets everything go.
  void Round(Kept* kept = nullptr) {
    IFileManager* fm = manager_.get();
    {
      ComPtr<ITextStream> text;
      Bstr line, rest;
      ASSERT_EQ(fm->OpenTextFile(data_.get(), ForReading, VARIANT_FALSE, TristateFalse, text.put()),
                S_OK);
      ASSERT_EQ(text->ReadLine(line.put()), S_OK);
      ASSERT_EQ(text->ReadAll(rest.put()), S_OK);
      ASSERT_EQ(text->Close(), S_OK);
      if (kept) kept->texts.push_back(std::move(rest));
    }
    {
      ComPtr<IBinaryStream> bytes;
      Variant read;
      ASSERT_EQ(fm->OpenBinaryFile(data_.get(), ForReading, VARIANT_FALSE, bytes.put()), S_OK);
      ASSERT_EQ(bytes->Read(4, read.get()), S_OK);
      if (kept) kept->streams.push_back(bytes);  // open, with its handle
    }
    ComPtr<IFile> file;
    ASSERT_EQ(fm->GetFile(data_.get(), file.put()), S_OK);
    ListFolder(file.get());
    ListPermissions(file.get());
    AskTheSystem(file.get());
    Fail();
  }

  void ListFolder(IFile* file) {
    ComPtr<IFolder> folder;
    ComPtr<IFileCollection> files;
    ComPtr<IFolderCollection> folders;
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    Variant size;
    LONG count = 0;
    ASSERT_EQ(file->get_Size(size.get()), S_OK);
    ASSERT_EQ(file->get_ParentFolder(folder.put()), S_OK);
    ASSERT_EQ(folder->get_Files(files.put()), S_OK);
    ASSERT_EQ(files->get__NewEnum(unknown.put()), S_OK);
    ASSERT_EQ(unknown.As(&items), S_OK);
    VARIANT item;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK) ::VariantClear(&item);
    ASSERT_EQ(folder->get_SubFolders(folders.put()), S_OK);
    ASSERT_EQ(folders->get_Count(&count), S_OK);
    ASSERT_EQ(count, 1);
  }

  // For Each over a file: its access-control entries and their accounts.
  void ListPermissions(IFile* file) {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> entries;
    ASSERT_EQ(file->get__NewEnum(unknown.put()), S_OK);
    ASSERT_EQ(unknown.As(&entries), S_OK);
    Variant entry;
    ULONG fetched = 0;
    ASSERT_EQ(entries->Next(1, entry.put(), &fetched), S_OK);
    ComPtr<IPermItem> permission;
    ASSERT_EQ(V_DISPATCH(entry.get())->QueryInterface(IID_IPermItem, permission.put_void()), S_OK);
    Bstr trustee, user;
    ASSERT_EQ(permission->get_Trustee(trustee.put()), S_OK);
    ASSERT_EQ(manager_->get_ProcessUser(user.put()), S_OK);
  }

  // What goes to the registry, the volume and the profile functions: type names, a drive and its
  // space, an INI value written and read back.
  void AskTheSystem(IFile* file) {
    ComPtr<IDrive> drive;
    Bstr type, mime, value;
    Variant space;
    ASSERT_EQ(file->get_Type(type.put()), S_OK);
    ASSERT_EQ(file->get_MimeType(mime.put()), S_OK);
    ASSERT_EQ(file->get_Drive(drive.put()), S_OK);
    ASSERT_EQ(drive->get_FreeSpace(space.get()), S_OK);
    ASSERT_EQ(manager_->INIWriteString(ini_.get(), section_.get(), section_.get(), section_.get()), S_OK);
    ASSERT_EQ(manager_->INIReadString(ini_.get(), section_.get(), section_.get(), nullptr, value.put()),
              S_OK);
  }

  // Failures of every kind leave an error object and nothing else behind.
  void Fail() {
    IFileManager* fm = manager_.get();
    ComPtr<IFile> file;
    ComPtr<ITextStream> text;
    ComPtr<IFolder> folder;
    ASSERT_EQ(fm->GetFile(missing_.get(), file.put()), Win32Code(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(fm->OpenTextFile(missing_.get(), ForReading, VARIANT_FALSE, TristateFalse, text.put()),
              Win32Code(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(fm->CopyFile(missing_.get(), copy_.get(), VARIANT_TRUE), Win32Code(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(fm->GetFolder(missing_.get(), folder.put()), Win32Code(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(fm->CreateFolder(underFile_.get(), folder.put()), Win32Code(ERROR_PATH_NOT_FOUND));
    Variant key, value;
    *key.get() = VBstr(L"absent");
    ASSERT_EQ(dictionary_->get_Item(key.get(), value.get()), DISP_E_EXCEPTION);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(manager_.As(&dispatch), S_OK);
    ASSERT_EQ(CallByName(dispatch.get(), L"GetFile", DISPATCH_METHOD, {VBstr(missing_.get())}).hr,
              DISP_E_EXCEPTION);
  }

  void Rounds(int count, Kept* kept = nullptr) {
    for (int i = 0; i < count && !HasFatalFailure(); ++i) Round(kept);
  }

  ScratchDir dir_;
  ComPtr<IFileManager> manager_ = NewManager();
  ComPtr<IDictionary> dictionary_ = [] {
    ComPtr<IDictionary> d;
    LoadedModule::Default().Create(CLSID_Dictionary, d.put());
    return d;
  }();
  const Bstr data_{dir_ / L"data.txt"};
  const Bstr missing_{dir_ / L"missing.txt"};
  const Bstr copy_{dir_ / L"copy.txt"};
  const Bstr underFile_{dir_ / L"data.txt\\sub"};
  const Bstr ini_{dir_ / L"settings.ini"};
  const Bstr section_{L"section"};
};

TEST_F(LeakAccounting, TheCountersSeeWhatRoundsKeep) {
  Rounds(kWarmUpRounds);
  const Footprint before = Measure();
  ASSERT_GT(before.handles, 0u) << "the system's handle list answers";
  constexpr int kKeepingRounds = 300;
  {
    Kept kept;
    Rounds(kKeepingRounds, &kept);
    const Footprint keeping = Measure();
    EXPECT_GE(keeping.handles, before.handles + kKeepingRounds) << "one open file per round";
    EXPECT_GE(keeping.bytes, before.bytes + kMemoryMargin) << "the streams' buffers and texts";
  }
  const Footprint after = Measure();
  EXPECT_LE(after.handles, before.handles + kHandleMargin);
  EXPECT_LE(after.bytes, before.bytes + kMemoryMargin);
}

TEST_F(LeakAccounting, TenThousandRoundsLeaveHandlesAndMemoryFlat) {
  Rounds(kWarmUpRounds);
  const Footprint before = Measure();
  Rounds(kRounds);
  const Footprint after = Measure();
  std::printf("leak accounting: %d rounds, handles %zu -> %zu, committed private memory %zu -> %zu KiB\n",
              kRounds, before.handles, after.handles, before.bytes >> 10, after.bytes >> 10);
  EXPECT_LE(after.handles, before.handles + kHandleMargin);
  EXPECT_LE(after.bytes, before.bytes + kMemoryMargin);
  manager_.reset();
  dictionary_.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace docket::test
