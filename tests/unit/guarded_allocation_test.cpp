// Memory the module cannot have: a failed allocation comes back as E_OUTOFMEMORY, never as an
// exception through the caller, and no request is sized by a caller's count beyond what the
// file can fill.
#include "stream_test_support.h"
#include "com/handles.h"
#include "support/allocation_hook.h"

namespace docket::test {
namespace {

class GuardedAllocation : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hook_.installed()) << "the module imports no malloc"; }
  ComPtr<IBinaryStream> OpenBinary() {
    ComPtr<IBinaryStream> stream;
    EXPECT_EQ(manager_->OpenBinaryFile(Bstr(file_).get(), ForReading, VARIANT_FALSE, stream.put()), S_OK);
    return stream;
  }

  AllocationHook hook_{LoadedModule::Default().handle()};
  ScratchDir dir_;
  std::wstring file_ = dir_ / L"data";
  ComPtr<IFileManager> manager_ = NewManager();
};

// Opening a Unicode file for reading takes its byte-order mark through the read-ahead buffer
// (64 KiB), the one large request on that road.
TEST_F(GuardedAllocation, AReadAheadBufferThatCannotBeHadIsOutOfMemory) {
  WriteBytes(file_, std::string("\xFF\xFE" "a\0", 4));
  hook_.FailRequestsFrom(16 * 1024);
  ComPtr<ITextStream> stream;
  EXPECT_EQ(manager_->OpenTextFile(Bstr(file_).get(), ForReading, VARIANT_FALSE, TristateTrue,
                                   stream.put()),
            E_OUTOFMEMORY);
  EXPECT_FALSE(stream);
  hook_.Reset();
  EXPECT_EQ(manager_->OpenTextFile(Bstr(file_).get(), ForReading, VARIANT_FALSE, TristateTrue,
                                   stream.put()),
            S_OK);
  EXPECT_EQ(TextOf(stream.get(), &ITextStream::ReadAll), L"a");
}

TEST_F(GuardedAllocation, ReadTakesNoMoreRoomThanTheFileHasLeft) {
  WriteBytes(file_, "0123456789");
  auto stream = OpenBinary();
  Variant bytes;
  EXPECT_EQ(stream->Read(4, bytes.put()), S_OK);
  hook_.Reset();
  EXPECT_EQ(stream->Read(0x7FFFFFFF, bytes.put()), S_OK);
  EXPECT_EQ(BytesOf(*bytes.get()), "456789");
  EXPECT_LE(hook_.largest(), 64u * 1024) << "the read-ahead buffer at most";
}

// The same for a text stream, in the system code page and in UTF-16.
TEST_F(GuardedAllocation, TextReadTakesNoMoreRoomThanTheFileHasLeft) {
  struct Case {
    Tristate format;
    std::string bytes;
  } cases[] = {{TristateFalse, "0123456789"},
               {TristateTrue, std::string("\xFF\xFE" "0\0" "1\0" "2\0" "3\0" "4\0" "5\0", 14)}};
  for (const Case& c : cases) {
    WriteBytes(file_, c.bytes);
    ComPtr<ITextStream> stream;
    ASSERT_EQ(manager_->OpenTextFile(Bstr(file_).get(), ForReading, VARIANT_FALSE, c.format,
                                     stream.put()),
              S_OK);
    Bstr text;
    EXPECT_EQ(stream->Read(2, text.put()), S_OK);
    hook_.Reset();
    EXPECT_EQ(stream->Read(0x7FFFFFFF, text.put()), S_OK) << c.format;
    EXPECT_EQ(text.view(), c.format == TristateTrue ? L"2345" : L"23456789");
    EXPECT_LE(hook_.largest(), 64u * 1024) << "the read-ahead buffer at most";
    VARIANT_BOOL atEnd = VARIANT_FALSE;
    EXPECT_EQ(stream->Read(0x7FFFFFFF, text.put()), S_OK);
    EXPECT_EQ(stream->get_AtEndOfStream(&atEnd), S_OK);
    EXPECT_EQ(atEnd, VARIANT_TRUE) << "a read at the end still marks it";
  }
}

// 2^28 one-byte variants take 4 GiB or more (16 or 24 bytes each), past what the platform can
// size an array by: refused before anything is read or allocated for it.
TEST_F(GuardedAllocation, AVariantArrayTooLargeToSizeIsRefusedBeforeReading) {
  {
    com::UniqueFile file(::CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER size;
    size.QuadPart = 1 << 28;  // sparse: nothing is written
    ASSERT_TRUE(::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get()));
  }
  auto stream = OpenBinary();
  hook_.Reset();
  Variant values;
  EXPECT_TRUE(IsSystemError(stream->ReadVarAll(values.put()), ERROR_ARITHMETIC_OVERFLOW));
  EXPECT_TRUE(IsSystemError(stream->ReadVar(1 << 28, values.put()), ERROR_ARITHMETIC_OVERFLOW));
  EXPECT_LE(hook_.largest(), 64u * 1024);
}

}  // namespace
}  // namespace docket::test
