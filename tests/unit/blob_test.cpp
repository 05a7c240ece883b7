// ExportToBlob and ImportFromBlob through a field object made here: chunk sizes and round trips,
// argument refusals, failures part way on either side, the answers GetChunk may give, targets
// that cannot be written, and memory that stays bounded by the chunk size.
#include "chunk_field.h"
#include "support/process_counters.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace docket::test {
namespace {

constexpr ULONG kChunk = 49152;

struct Outcome {
  HRESULT hr;
  std::wstring description;  // of the error left on the thread, when the call failed
};

Outcome Finish(HRESULT hr) {
  return {hr, FAILED(hr) ? TakeError().description : L""};
}

VARIANT ObjectArgument(IDispatch* object) {
  VARIANT v;
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = object;  // not owned: the caller holds the object
  return v;
}

// A script variable holding the object, as a page passes it: a reference to the variable.
VARIANT VariableArgument(VARIANT* variable) {
  VARIANT v;
  V_VT(&v) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&v) = variable;
  return v;
}

Outcome Export(const std::wstring& file, VARIANT field) {
  ClearError();
  return Finish(NewManager()->ExportToBlob(Bstr(file).get(), field));
}

Outcome Import(VARIANT field, const std::wstring& file) {
  ClearError();
  return Finish(NewManager()->ImportFromBlob(field, Bstr(file).get()));
}

// Every byte value, in an order that differs from chunk to chunk.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

VARIANT ByteArray(const std::string& bytes, LONG lowerBound = 0) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(bytes.size()), lowerBound};
  VARIANT v;
  V_VT(&v) = VT_ARRAY | VT_UI1;
  V_ARRAY(&v) = ::SafeArrayCreate(VT_UI1, 1, &bound);
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(V_ARRAY(&v)->pvData));
  return v;
}

TEST(BlobTransfer, ChunkSizesAndRoundTripByteForByte) {
  ScratchDir dir;
  const struct {
    size_t size;
    std::vector<ULONG> chunks;
  } cases[] = {
      {0, {}},
      {1, {1}},
      {kChunk, {kChunk}},
      {kChunk + 1, {kChunk, 1}},
      {100000, {kChunk, kChunk, 1696}},
  };
  for (const auto& c : cases) {
    const std::string data = Pattern(c.size);
    WriteBytes(dir / L"source.bin", data);
    WriteBytes(dir / L"copy.bin", std::string(200000, 'x'));  // longer than any case: truncated
    ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
    VARIANT variable = ObjectArgument(field.get());

    EXPECT_EQ(Export(dir / L"source.bin", VariableArgument(&variable)).hr, S_OK) << c.size;
    EXPECT_EQ(field->appendedSizes, c.chunks) << c.size;
    EXPECT_TRUE(field->bytes == data) << c.size;
    EXPECT_EQ(Import(VariableArgument(&variable), dir / L"copy.bin").hr, S_OK) << c.size;
    EXPECT_TRUE(ReadBytes(dir / L"copy.bin") == data) << c.size;
    EXPECT_EQ(field->calls, static_cast<int>(2 * c.chunks.size() + 1)) << "ends at Null";
    EXPECT_EQ(field->badArguments, 0) << c.size;
  }
}

TEST(BlobArguments, WrongTypesAndObjectsWithoutTheMethodChangeNothing) {
  ScratchDir dir;
  WriteBytes(dir / L"kept.bin", "old content");
  ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
  VARIANT nothing = ObjectArgument(nullptr), empty{}, null{}, number = VI4(5);
  V_VT(&null) = VT_NULL;
  Bstr text(L"field");
  VARIANT string;
  V_VT(&string) = VT_BSTR;
  V_BSTR(&string) = text.get();
  VARIANT variableHoldingANumber = VariableArgument(&number);
  for (const VARIANT& wrong : {number, string, empty, null, nothing, variableHoldingANumber}) {
    // Refused before the source is opened (it does not exist) or the target is touched.
    const Outcome exported = Export(dir / L"missing.bin", wrong);
    EXPECT_EQ(exported.hr, DISP_E_EXCEPTION) << V_VT(&wrong);
    EXPECT_EQ(exported.description, L"Incorrect parameter");
    const Outcome imported = Import(wrong, dir / L"kept.bin");
    EXPECT_EQ(imported.description, L"Incorrect parameter") << V_VT(&wrong);
  }

  ComPtr<ChunkField> neither = ComPtr<ChunkField>::Attach(ChunkField::New(false, false));
  WriteBytes(dir / L"source.bin", "abc");
  EXPECT_EQ(Export(dir / L"source.bin", ObjectArgument(neither.get())).description,
            L"Parameter does not support the AppendChunk method");
  for (const wchar_t* target : {L"kept.bin", L"new.bin"}) {
    const Outcome imported = Import(ObjectArgument(neither.get()), dir / target);
    EXPECT_EQ(imported.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(imported.description, L"Parameter does not support the GetChunk method");
  }
  EXPECT_EQ(ReadBytes(dir / L"kept.bin"), "old content") << "looked up before the target is made";
  EXPECT_FALSE(Exists(dir / L"new.bin"));
  EXPECT_EQ(field->calls + neither->calls, 0);
}

TEST(BlobExport, FailuresAreReportedAndKeepWhatWasAppended) {
  ScratchDir dir;
  WriteBytes(dir / L"source.bin", Pattern(100000));
  {
    ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
    const Outcome missing = Export(dir / L"missing.bin", ObjectArgument(field.get()));
    EXPECT_EQ(missing.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(missing.description, L"ExportToBlob failed - unable to open file");
    EXPECT_EQ(field->calls, 0);
  }
  for (const bool raise : {false, true}) {
    ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
    field->failFromCall = 2;
    field->failure = static_cast<HRESULT>(0x80040123);
    field->raise = raise;
    const Outcome failed = Export(dir / L"source.bin", ObjectArgument(field.get()));
    EXPECT_EQ(failed.hr, field->failure) << "the field's code, unchanged; raise " << raise;
    EXPECT_EQ(failed.description, raise ? L"The field's connection broke." : L"")
        << "an exception the field raises reaches the caller";
    EXPECT_EQ(field->appendedSizes, std::vector<ULONG>{kChunk}) << "and no call after it";
  }
}

TEST(BlobExport, AReadThatFailsPartWayIsReportedNotTakenForTheEnd) {
  // A pipe whose writer goes away: the only read failure that can be made to order here.
  const std::wstring name = L"\\\\.\\pipe\\docket-blob-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE server = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                     1, 65536, 65536, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  std::thread writer([&] {
    ::ConnectNamedPipe(server, nullptr);
    DWORD written = 0;
    ::WriteFile(server, "partial", 7, &written, nullptr);
    ::FlushFileBuffers(server);
    ::CloseHandle(server);
  });
  ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
  const Outcome failed = Export(name, ObjectArgument(field.get()));
  writer.join();
  EXPECT_EQ(failed.hr, Win32Code(ERROR_BROKEN_PIPE));
  EXPECT_EQ(failed.description, SystemText(ERROR_BROKEN_PIPE));
  EXPECT_EQ(field->bytes, "partial");
}

TEST(BlobImport, GetChunkAnswersAndFailuresPartWay) {
  ScratchDir dir;
  const std::wstring target = dir / L"target.bin";
  VARIANT null{}, error{}, longs{}, number = VI4(7);
  V_VT(&null) = VT_NULL;
  V_VT(&error) = VT_ERROR;
  V_ERROR(&error) = DISP_E_PARAMNOTFOUND;
  V_VT(&longs) = VT_ARRAY | VT_I4;
  V_ARRAY(&longs) = ::SafeArrayCreateVector(VT_I4, 0, 2);
  const std::wstring neither = L"GetChunk returned neither a byte array nor a string";
  const HRESULT broke = static_cast<HRESULT>(0x80040123);
  const struct {
    const char* name;
    VARIANT answer;  // after a first chunk "ab"; then the field has nothing more (Null)
    HRESULT hr;
    std::wstring description;
    std::string file;  // "-": the target must be gone, even though it was there before
    bool fails = false, raises = false;  // the second GetChunk call fails, or raises
  } cases[] = {
      {"Null", null, S_OK, L"", "ab"},
      {"Empty", VARIANT{}, S_OK, L"", "ab"},
      {"an error value", error, S_OK, L"", "ab"},
      {"an empty byte array", ByteArray(""), S_OK, L"", "ab"},
      {"an empty string", VBstr(L""), S_OK, L"", "ab"},
      {"a string: low 8 bits of each character", VBstr(L"c\u0144\u00E9"), S_OK, L"", "abcD\xE9"},
      {"bytes from lower bound 5", ByteArray("xyz", 5), S_OK, L"", "abxyz"},
      {"an array of longs", longs, DISP_E_EXCEPTION, neither, "-"},
      {"a number", number, DISP_E_EXCEPTION, neither, "-"},
      {"a failing call", VARIANT{}, broke, L"", "-", true},
      {"an exception raised", VARIANT{}, broke, L"The field's connection broke.", "-", true, true},
  };
  for (const auto& c : cases) {
    WriteBytes(target, "old content");
    ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
    field->answers = {ByteArray("ab"), c.answer};  // the field owns and frees them
    field->failFromCall = c.fails ? 2 : 0;
    field->failure = broke;
    field->raise = c.raises;
    const Outcome outcome = Import(ObjectArgument(field.get()), target);
    EXPECT_EQ(outcome.hr, c.hr) << c.name;
    EXPECT_EQ(outcome.description, c.description) << c.name;
    EXPECT_EQ(Exists(target) ? ReadBytes(target) : "-", c.file) << c.name;
  }
}

TEST(BlobImport, TargetsThatCannotBeWrittenAreReported) {
  ScratchDir dir;
  ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
  field->bytes = "abc";
  const Outcome missingFolder = Import(ObjectArgument(field.get()), dir / L"no\\target.bin");
  EXPECT_EQ(missingFolder.hr, Win32Code(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(missingFolder.description, SystemText(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(field->calls, 0) << "nothing is asked of the field for a target that cannot be made";

  // Wine maps Z: to the Unix root, and /dev/full refuses every write as a full disk: the way to
  // make a write fail here. The device is not a file on disk, so it is not removed afterwards.
  const wchar_t* full = L"Z:\\dev\\full";
  auto deviceThere = [&] {  // attributes of a device are not to be had; opening it tells
    HANDLE device = ::CreateFileW(full, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    return ::CloseHandle(device) != FALSE;
  };
  if (!deviceThere()) GTEST_SKIP() << "no /dev/full";
  const Outcome diskFull = Import(ObjectArgument(field.get()), full);
  EXPECT_EQ(diskFull.hr, Win32Code(ERROR_DISK_FULL));
  EXPECT_EQ(diskFull.description, SystemText(ERROR_DISK_FULL));
  EXPECT_TRUE(deviceThere());
}

TEST(BlobMemory, AGibibyteTravelsInMemoryBoundedByTheChunk) {
  constexpr std::uint64_t kSize = 1ull << 30;
  constexpr size_t kTolerance = 16u << 20;  // a copy of the whole would be 64 times this
  ScratchDir dir;
  const std::wstring sparse = dir / L"sparse.bin";
  {
    HANDLE file = ::CreateFileW(sparse.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = kSize;
    ASSERT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
    ::CloseHandle(file);
  }
  ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
  field->keepBytes = false;
  size_t peak = 0;
  field->onCall = [&] {
    if (field->calls % 256 == 0) peak = std::max(peak, CommittedPrivateBytes());
  };
  field->zerosToGive = 3 * kChunk;  // a small round first, so that first-use allocations are made
  ASSERT_EQ(Import(ObjectArgument(field.get()), L"NUL").hr, S_OK);
  const size_t before = CommittedPrivateBytes();
  peak = before;

  ASSERT_EQ(Export(sparse, ObjectArgument(field.get())).hr, S_OK);
  EXPECT_EQ(field->appendedCount, kSize);
  field->zerosToGive = kSize;
  ASSERT_EQ(Import(ObjectArgument(field.get()), L"NUL").hr, S_OK);
  EXPECT_EQ(field->zerosToGive, 0u) << "every byte was asked for";
  EXPECT_LT(std::max(peak, CommittedPrivateBytes()) - before, kTolerance)
      << "before " << before << ", peak " << peak;
}

}  // namespace
}  // namespace docket::test
