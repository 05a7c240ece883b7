// ExportToBlob and ImportFromBlob through a field object made here: chunk sizes, arguments no
// script can pass, failures part way, the answers GetChunk may give, targets that cannot be
// written and memory bounded by the chunk. (What a page sees of them is tests/scripts/blobs.vbs.)
#include "chunk_field.h"
#include "counting_dispatch.h"
#include "support/process_counters.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace docket::test {
namespace {

constexpr ULONG kChunk = 49152;
constexpr HRESULT kBroke = static_cast<HRESULT>(0x80040123);

VARIANT Typed(VARTYPE type, void* pointer = nullptr) {
  VARIANT v{};
  V_VT(&v) = type;
  V_BYREF(&v) = pointer;  // not owned: the caller holds what it points at
  return v;
}

struct Outcome {
  HRESULT hr;
  std::wstring description;  // of the error a failure left on the thread
  bool operator==(const Outcome&) const = default;
};
void PrintTo(const Outcome& o, std::ostream* out) { *out << std::hex << o.hr << " " << testing::PrintToString(o.description); }
Outcome Of(HRESULT hr) { return {hr, FAILED(hr) ? TakeError().description : L""}; }
Outcome Export(const std::wstring& file, VARIANT field) {
  return Of(NewManager()->ExportToBlob(Bstr(file).get(), field));
}
Outcome Import(VARIANT field, const std::wstring& file) {
  return Of(NewManager()->ImportFromBlob(field, Bstr(file).get()));
}

std::string Pattern(size_t size) {  // every byte value, in an order that differs between chunks
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

VARIANT ByteArray(const std::string& bytes, LONG lowerBound = 0) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(bytes.size()), lowerBound};
  VARIANT v = Typed(VT_ARRAY | VT_UI1, ::SafeArrayCreate(VT_UI1, 1, &bound));
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(V_ARRAY(&v)->pvData));
  return v;
}

struct Blob : ::testing::Test {
  ScratchDir dir;
  ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
  VARIANT object = Typed(VT_DISPATCH, field.get());
};

TEST_F(Blob, ChunkSizesAndRoundTripByteForByte) {
  const struct {
    size_t size;
    std::vector<ULONG> chunks;
  } cases[] = {{0, {}}, {1, {1}}, {kChunk, {kChunk}}, {kChunk + 1, {kChunk, 1}},
               {100000, {kChunk, kChunk, 1696}}};
  for (const auto& c : cases) {
    const std::string data = Pattern(c.size);
    WriteBytes(dir / L"source.bin", data);
    WriteBytes(dir / L"copy.bin", std::string(200000, 'x'));  // longer than any case: truncated
    ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
    VARIANT variable = Typed(VT_DISPATCH, field.get());  // passed as a page passes a variable
    EXPECT_EQ(Export(dir / L"source.bin", Typed(VT_BYREF | VT_VARIANT, &variable)).hr, S_OK);
    EXPECT_EQ(field->appendedSizes, c.chunks) << c.size;
    EXPECT_EQ(Import(Typed(VT_BYREF | VT_VARIANT, &variable), dir / L"copy.bin").hr, S_OK);
    EXPECT_TRUE(ReadBytes(dir / L"copy.bin") == data) << c.size;
    EXPECT_EQ(field->calls, static_cast<int>(2 * c.chunks.size() + 1)) << "ends at Null";
  }
}

// Numbers, strings and objects without the methods are the page script's.
TEST_F(Blob, ArgumentsThatAreNoFieldChangeNothing) {
  WriteBytes(dir / L"kept.bin", "old content");
  VARIANT number = VI4(5);
  for (const VARIANT& wrong : {Typed(VT_EMPTY), Typed(VT_NULL), Typed(VT_DISPATCH),
                               Typed(VT_BYREF | VT_VARIANT, &number)}) {
    // Refused before the source is opened (it does not exist) or the target is touched.
    EXPECT_EQ(Export(dir / L"missing.bin", wrong).description, L"Incorrect parameter") << V_VT(&wrong);
    EXPECT_EQ(Import(wrong, dir / L"kept.bin").description, L"Incorrect parameter") << V_VT(&wrong);
  }
  bool gone;
  ComPtr<CountingDispatch> memberless = ComPtr<CountingDispatch>::Attach(CountingDispatch::New(&gone));
  EXPECT_EQ(Import(Typed(VT_DISPATCH, memberless.get()), dir / L"new.bin").description,
            L"Parameter does not support the GetChunk method");
  EXPECT_FALSE(Exists(dir / L"new.bin")) << "looked up before the target is made";
  EXPECT_EQ(ReadBytes(dir / L"kept.bin"), "old content");
}

TEST_F(Blob, ExportFailuresAreTheFieldsAndKeepWhatWasAppended) {
  WriteBytes(dir / L"source.bin", Pattern(100000));
  field->failFromCall = 2;
  EXPECT_EQ(Export(dir / L"source.bin", object), (Outcome{kBroke, L"The field's connection broke."}))
      << "the field's code and description, unchanged";
  EXPECT_EQ(field->appendedSizes, std::vector<ULONG>{kChunk}) << "and no call after it";
}

TEST_F(Blob, AReadThatFailsPartWayIsReportedNotTakenForTheEnd) {
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
  const Outcome failed = Export(name, object);
  writer.join();
  EXPECT_EQ(failed, (Outcome{Win32Code(ERROR_BROKEN_PIPE), SystemText(ERROR_BROKEN_PIPE)}));
  EXPECT_EQ(field->bytes, "partial");
}

TEST_F(Blob, ImportTakesEveryAnswerOfGetChunkOrRemovesThePartialTarget) {
  const std::wstring target = dir / L"target.bin";
  VARIANT error = Typed(VT_ERROR), number = VI4(7);
  V_ERROR(&error) = DISP_E_PARAMNOTFOUND;
  const Outcome ok{S_OK, L""}, neither{DISP_E_EXCEPTION, L"GetChunk returned neither a byte array nor a string"};
  const struct {
    const char* name;
    VARIANT answer;  // after a first chunk "ab"; then the field has nothing more (Null)
    Outcome outcome;
    std::string file;  // "-": the target must be gone, even though it was there before
    bool raises = false;  // the second GetChunk call raises an exception
  } cases[] = {
      {"Null", Typed(VT_NULL), ok, "ab"},
      {"Empty", Typed(VT_EMPTY), ok, "ab"},
      {"an error value", error, ok, "ab"},
      {"an empty byte array", ByteArray(""), ok, "ab"},
      {"an empty string", VBstr(L""), ok, "ab"},
      {"a string: low 8 bits of each character", VBstr(L"c\u0144\u00E9"), ok, "abcD\xE9"},
      {"bytes from lower bound 5", ByteArray("xyz", 5), ok, "abxyz"},
      {"an array of longs", Typed(VT_ARRAY | VT_I4, ::SafeArrayCreateVector(VT_I4, 0, 2)), neither, "-"},
      {"a number", number, neither, "-"},
      {"an exception raised", Typed(VT_EMPTY), {kBroke, L"The field's connection broke."}, "-", true},
  };
  for (const auto& c : cases) {
    WriteBytes(target, "old content");
    ComPtr<ChunkField> field = ComPtr<ChunkField>::Attach(ChunkField::New());
    field->answers = {ByteArray("ab"), c.answer};  // the field owns and frees them
    field->failFromCall = c.raises ? 2 : 0;
    EXPECT_EQ(Import(Typed(VT_DISPATCH, field.get()), target), c.outcome) << c.name;
    EXPECT_EQ(Exists(target) ? ReadBytes(target) : "-", c.file) << c.name;
  }
}

TEST_F(Blob, ImportTargetsThatCannotBeWrittenAreReported) {
  EXPECT_EQ(Import(object, dir / L"no\\target.bin").hr, Win32Code(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(field->calls, 0) << "nothing is asked of the field for a target that cannot be made";
  // Wine maps Z: to the Unix root, and /dev/full refuses every write as a full disk: the way to
  // make a write fail here. The device is not a file on disk, so it is not removed afterwards.
  const wchar_t* full = L"Z:\\dev\\full";
  auto deviceThere = [&] {  // attributes of a device are not to be had; opening it tells
    HANDLE device = ::CreateFileW(full, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return device != INVALID_HANDLE_VALUE && ::CloseHandle(device);
  };
  if (!deviceThere()) GTEST_SKIP() << "no /dev/full";
  field->bytes = "abc";
  EXPECT_EQ(Import(object, full), (Outcome{Win32Code(ERROR_DISK_FULL), SystemText(ERROR_DISK_FULL)}));
  EXPECT_TRUE(deviceThere());
}

TEST_F(Blob, AGibibyteTravelsInMemoryBoundedByTheChunk) {
  constexpr std::uint64_t kSize = 1ull << 30;
  constexpr size_t kTolerance = 16u << 20;  // a copy of the whole would be 64 times this
  const std::wstring sparse = dir / L"sparse.bin";
  HANDLE file = ::CreateFileW(sparse.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_TRUE(::SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = kSize}, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
  ::CloseHandle(file);
  field->keepBytes = false;
  size_t peak = 0;
  field->onCall = [&] {
    if (field->calls % 256 == 0) peak = std::max(peak, CommittedPrivateBytes());
  };
  field->zerosToGive = 3 * kChunk;  // a small round first, so that first-use allocations are made
  ASSERT_EQ(Import(object, L"NUL").hr, S_OK);
  const size_t before = CommittedPrivateBytes();
  peak = before;

  ASSERT_EQ(Export(sparse, object).hr, S_OK);
  EXPECT_EQ(field->appendedCount, kSize);
  field->zerosToGive = kSize;
  ASSERT_EQ(Import(object, L"NUL").hr, S_OK);
  EXPECT_EQ(field->zerosToGive, 0u) << "every byte was asked for";
  EXPECT_LT(std::max(peak, CommittedPrivateBytes()) - before, kTolerance)
      << "before " << before << ", peak " << peak;
}

}  // namespace
}  // namespace docket::test
