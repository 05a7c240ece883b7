// What a page does all day (open, read, close, list, ask, fail) must leave the process's handles and
// committed private memory where they were, round after round.
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

// What a round may keep instead of letting go, open with its handle and buffer: the leak the
// counters must see.
using Kept = std::vector<ComPtr<IBinaryStream>>;

class LeakAccounting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(manager_ && dictionary_);
    WriteBytes(dir_ / L"data.txt", "line one\r\nline two\r\n");
    ::CreateDirectoryW((dir_ / L"sub").c_str(), nullptr);
    WriteBytes(dir_ / L"sub\\x.bin", std::string(100, 'x'));
  }

  // Counts the calls of a round, so that a failure says which.
  bool Is(HRESULT hr, HRESULT expected = S_OK) {
    ++step_;
    return hr == expected;
  }

  // One round: every call checks its answer, so that a round that stops working does not pass as
  // one that leaks nothing. A null `kept` lets everything go.
  void Round(Kept* kept) {
    IFileManager* fm = manager_.get();
    step_ = 0;
    ComPtr<ITextStream> text;
    ComPtr<IBinaryStream> bytes;
    Bstr line, rest;
    Variant read;
    ASSERT_TRUE(Is(fm->OpenTextFile(data_.get(), ForReading, VARIANT_FALSE, TristateFalse, text.put())) &&
                Is(text->ReadLine(line.put())) && Is(text->ReadAll(rest.put())) && Is(text->Close()) &&
                Is(fm->OpenBinaryFile(data_.get(), ForReading, VARIANT_FALSE, bytes.put())) &&
                Is(bytes->Read(4, read.get()))) << "call " << step_;
    if (kept) kept->push_back(bytes);

    // Listings (the folder's files by For Each, its subfolders, the file's access-control entries),
    // and what goes to the registry, the volume and the profile functions.
    ComPtr<IFile> file;
    ComPtr<IFolder> folder;
    ComPtr<IFileCollection> files;
    ComPtr<IFolderCollection> folders;
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    ComPtr<IPermItem> permission;
    ComPtr<IDrive> drive;
    Variant size, entry, space;
    Bstr trustee, user, type, mime, value;
    LONG count = 0;
    ASSERT_TRUE(Is(fm->GetFile(data_.get(), file.put())) && Is(file->get_Size(size.get())) &&
                Is(file->get_ParentFolder(folder.put())) && Is(folder->get_Files(files.put())) &&
                Is(files->get__NewEnum(unknown.put())) && Is(unknown.As(&items))) << "call " << step_;
    while (items->Next(1, entry.put(), nullptr) == S_OK) {
    }
    ASSERT_TRUE(Is(folder->get_SubFolders(folders.put())) && Is(folders->get_Count(&count)) && count == 1 &&
                Is(file->get__NewEnum(unknown.put())) && Is(unknown.As(&items)) &&
                Is(items->Next(1, entry.put(), nullptr)) &&
                Is(V_DISPATCH(entry.get())->QueryInterface(IID_IPermItem, permission.put_void())) &&
                Is(permission->get_Trustee(trustee.put())) && Is(fm->get_ProcessUser(user.put())) &&
                Is(file->get_Type(type.put())) && Is(file->get_MimeType(mime.put())) &&
                Is(file->get_Drive(drive.put())) && Is(drive->get_FreeSpace(space.get())) &&
                Is(fm->INIWriteString(ini_.get(), section_.get(), section_.get(), section_.get())) &&
                Is(fm->INIReadString(ini_.get(), section_.get(), section_.get(), nullptr, value.put())))
        << "call " << step_;

    // Failures of every kind leave an error object and nothing else behind.
    const HRESULT notFound = Win32Code(ERROR_FILE_NOT_FOUND);
    Variant key, missingValue;
    *key.get() = VBstr(L"absent");
    ComPtr<IDispatch> dispatch{fm};
    ASSERT_TRUE(Is(fm->GetFile(missing_.get(), file.put()), notFound) &&
                Is(fm->OpenTextFile(missing_.get(), ForReading, 0, TristateFalse, text.put()), notFound) &&
                Is(fm->CopyFile(missing_.get(), copy_.get(), VARIANT_TRUE), notFound) &&
                Is(fm->GetFolder(missing_.get(), folder.put()), notFound) &&
                Is(fm->CreateFolder(underFile_.get(), folder.put()), Win32Code(ERROR_PATH_NOT_FOUND)) &&
                Is(dictionary_->get_Item(key.get(), missingValue.get()), DISP_E_EXCEPTION) &&
                Is(CallByName(dispatch.get(), L"GetFile", DISPATCH_METHOD, {VBstr(missing_.get())}).hr,
                   DISP_E_EXCEPTION)) << "call " << step_;
  }

  void Rounds(int count, Kept* kept = nullptr) {
    for (int i = 0; i < count && !HasFatalFailure(); ++i) Round(kept);
  }

  static void ExpectFlat(const Footprint& before, const Footprint& after = {}) {
    EXPECT_LE(after.handles, before.handles + kHandleMargin);
    EXPECT_LE(after.bytes, before.bytes + kMemoryMargin);
  }

  ScratchDir dir_;
  ComPtr<IFileManager> manager_ = NewManager();
  ComPtr<IDictionary> dictionary_;
  HRESULT made_ = LoadedModule::Default().Create(CLSID_Dictionary, dictionary_.put());
  int step_ = 0;
  const Bstr data_{dir_ / L"data.txt"}, missing_{dir_ / L"missing.txt"}, copy_{dir_ / L"copy.txt"},
      underFile_{dir_ / L"data.txt\\sub"}, ini_{dir_ / L"settings.ini"}, section_{L"section"};
};

// The counters are proved first: rounds that keep what they opened must show.
TEST_F(LeakAccounting, TenThousandRoundsLeaveHandlesAndMemoryFlat) {
  Rounds(kWarmUpRounds);
  const Footprint before;
  ASSERT_GT(before.handles, 0u) << "the system's handle list answers";
  {
    Kept kept;
    Rounds(300, &kept);
    const Footprint keeping;
    EXPECT_GE(keeping.handles, before.handles + 300) << "one open file per round";
    EXPECT_GE(keeping.bytes, before.bytes + kMemoryMargin) << "the streams' buffers";
  }
  ExpectFlat(before);
  Rounds(10000);
  const Footprint after;
  std::printf("leak accounting: 10000 rounds, handles %zu -> %zu, private memory %zu -> %zu KiB\n",
              before.handles, after.handles, before.bytes >> 10, after.bytes >> 10);
  ExpectFlat(before, after);
  manager_.reset();
  dictionary_.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace docket::test
