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
constexpr size_t kHandleMargin = 4, kMemoryMargin = 2u << 20;

struct Footprint {
  size_t handles = OpenHandleCount(), bytes = CommittedPrivateBytes();
};

// What a round may keep instead of letting go: the leak the counters must see.
struct Kept {
  std::vector<ComPtr<IBinaryStream>> streams;
  std::vector<Bstr> texts;
};

class LeakAccounting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(manager_ && dictionary_);
    WriteBytes(dir_ / L"data.txt", "line one\r\nline two\r\n");
    ::CreateDirectoryW((dir_ / L"sub").c_str(), nullptr);
    WriteBytes(dir_ / L"sub\\x.bin", std::string(100, 'x'));
  }

  // One round: every call checks its answer, so that a round that stops working does not pass as
  // one that leaks nothing. A null `kept` lets everything go.
  void Round(Kept* kept) {
    IFileManager* fm = manager_.get();
    ComPtr<ITextStream> text;
    Bstr line, rest;
    ASSERT_EQ(fm->OpenTextFile(data_.get(), ForReading, VARIANT_FALSE, TristateFalse, text.put()), S_OK);
    ASSERT_EQ(text->ReadLine(line.put()), S_OK);
    ASSERT_EQ(text->ReadAll(rest.put()), S_OK);
    ASSERT_EQ(text->Close(), S_OK);
    ComPtr<IBinaryStream> bytes;
    Variant read;
    ASSERT_EQ(fm->OpenBinaryFile(data_.get(), ForReading, VARIANT_FALSE, bytes.put()), S_OK);
    ASSERT_EQ(bytes->Read(4, read.get()), S_OK);
    if (kept) {
      kept->texts.push_back(std::move(rest));
      kept->streams.push_back(bytes);  // open, with its handle
    }

    // Listings: the folder's files by For Each, its subfolders, the file's access-control entries.
    ComPtr<IFile> file;
    ComPtr<IFolder> folder;
    ComPtr<IFileCollection> files;
    ComPtr<IFolderCollection> folders;
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    Variant size, entry;
    LONG count = 0;
    ASSERT_EQ(fm->GetFile(data_.get(), file.put()), S_OK);
    ASSERT_EQ(file->get_Size(size.get()), S_OK);
    ASSERT_EQ(file->get_ParentFolder(folder.put()), S_OK);
    ASSERT_EQ(folder->get_Files(files.put()), S_OK);
    ASSERT_EQ(files->get__NewEnum(unknown.put()), S_OK);
    ASSERT_EQ(unknown.As(&items), S_OK);
    while (items->Next(1, entry.put(), nullptr) == S_OK) {
    }
    ASSERT_EQ(folder->get_SubFolders(folders.put()), S_OK);
    ASSERT_EQ(folders->get_Count(&count), S_OK);
    ASSERT_EQ(count, 1);
    ComPtr<IPermItem> permission;
    ASSERT_EQ(file->get__NewEnum(unknown.put()), S_OK);
    ASSERT_EQ(unknown.As(&items), S_OK);
    ASSERT_EQ(items->Next(1, entry.put(), nullptr), S_OK);
    ASSERT_EQ(V_DISPATCH(entry.get())->QueryInterface(IID_IPermItem, permission.put_void()), S_OK);
    Bstr trustee, user;
    ASSERT_EQ(permission->get_Trustee(trustee.put()), S_OK);
    ASSERT_EQ(fm->get_ProcessUser(user.put()), S_OK);

    // What goes to the registry, the volume and the profile functions.
    ComPtr<IDrive> drive;
    Bstr type, mime, value;
    Variant space;
    ASSERT_EQ(file->get_Type(type.put()), S_OK);
    ASSERT_EQ(file->get_MimeType(mime.put()), S_OK);
    ASSERT_EQ(file->get_Drive(drive.put()), S_OK);
    ASSERT_EQ(drive->get_FreeSpace(space.get()), S_OK);
    ASSERT_EQ(fm->INIWriteString(ini_.get(), section_.get(), section_.get(), section_.get()), S_OK);
    ASSERT_EQ(fm->INIReadString(ini_.get(), section_.get(), section_.get(), nullptr, value.put()), S_OK);

    // Failures of every kind leave an error object and nothing else behind.
    const HRESULT notFound = Win32Code(ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(fm->GetFile(missing_.get(), file.put()), notFound);
    ASSERT_EQ(fm->OpenTextFile(missing_.get(), ForReading, 0, TristateFalse, text.put()), notFound);
    ASSERT_EQ(fm->CopyFile(missing_.get(), copy_.get(), VARIANT_TRUE), notFound);
    ASSERT_EQ(fm->GetFolder(missing_.get(), folder.put()), notFound);
    ASSERT_EQ(fm->CreateFolder(underFile_.get(), folder.put()), Win32Code(ERROR_PATH_NOT_FOUND));
    Variant key, missingValue;
    *key.get() = VBstr(L"absent");
    ASSERT_EQ(dictionary_->get_Item(key.get(), missingValue.get()), DISP_E_EXCEPTION);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(manager_.As(&dispatch), S_OK);
    ASSERT_EQ(CallByName(dispatch.get(), L"GetFile", DISPATCH_METHOD, {VBstr(missing_.get())}).hr,
              DISP_E_EXCEPTION);
  }

  void Rounds(int count, Kept* kept = nullptr) {
    for (int i = 0; i < count && !HasFatalFailure(); ++i) Round(kept);
  }

  void ExpectFlatSince(const Footprint& before) {
    const Footprint after;
    EXPECT_LE(after.handles, before.handles + kHandleMargin);
    EXPECT_LE(after.bytes, before.bytes + kMemoryMargin);
  }

  ScratchDir dir_;
  ComPtr<IFileManager> manager_ = NewManager();
  ComPtr<IDictionary> dictionary_;
  HRESULT made_ = LoadedModule::Default().Create(CLSID_Dictionary, dictionary_.put());
  const Bstr data_{dir_ / L"data.txt"}, missing_{dir_ / L"missing.txt"}, copy_{dir_ / L"copy.txt"},
      underFile_{dir_ / L"data.txt\\sub"}, ini_{dir_ / L"settings.ini"}, section_{L"section"};
};

TEST_F(LeakAccounting, TheCountersSeeWhatRoundsKeep) {
  Rounds(kWarmUpRounds);
  const Footprint before;
  ASSERT_GT(before.handles, 0u) << "the system's handle list answers";
  constexpr int kKeepingRounds = 300;
  {
    Kept kept;
    Rounds(kKeepingRounds, &kept);
    const Footprint keeping;
    EXPECT_GE(keeping.handles, before.handles + kKeepingRounds) << "one open file per round";
    EXPECT_GE(keeping.bytes, before.bytes + kMemoryMargin) << "the streams' buffers and texts";
  }
  ExpectFlatSince(before);
}

TEST_F(LeakAccounting, TenThousandRoundsLeaveHandlesAndMemoryFlat) {
  Rounds(kWarmUpRounds);
  const Footprint before;
  Rounds(10000);
  const Footprint after;
  std::printf("leak accounting: 10000 rounds, handles %zu -> %zu, private memory %zu -> %zu KiB\n",
              before.handles, after.handles, before.bytes >> 10, after.bytes >> 10);
  ExpectFlatSince(before);
  manager_.reset();
  dictionary_.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace docket::test
