// Memory the module cannot have: a failed allocation comes back as E_OUTOFMEMORY, never as an
// exception through the caller, and no request is sized by a caller's count beyond what the file
// can fill (the read-ahead buffer, 64 KiB, is the largest a read may ask for).
#include "stream_test_support.h"
#include "com/handles.h"
#include "support/allocation_hook.h"

#include <tuple>

namespace docket::test {
namespace {

constexpr size_t kReadAhead = 64u * 1024;

class GuardedAllocation : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hook_.installed()) << "the module imports no malloc"; }
  ComPtr<ITextStream> OpenText(Tristate format) {
    ComPtr<ITextStream> stream;
    EXPECT_EQ(manager_->OpenTextFile(path_.get(), ForReading, VARIANT_FALSE, format, stream.put()), S_OK);
    return stream;
  }

  AllocationHook hook_{LoadedModule::Default().handle()};
  ScratchDir dir_;
  std::wstring file_ = dir_ / L"data";
  Bstr path_{file_};
  ComPtr<IFileManager> manager_ = NewManager();
};

// Opening a Unicode file for reading takes its byte-order mark through the read-ahead buffer, the
// one large request on that road.
TEST_F(GuardedAllocation, AReadAheadBufferThatCannotBeHadIsOutOfMemory) {
  WriteBytes(file_, std::string("\xFF\xFE" "a\0", 4));
  hook_.FailRequestsFrom(16 * 1024);
  ComPtr<ITextStream> stream;
  EXPECT_EQ(manager_->OpenTextFile(path_.get(), ForReading, 0, TristateTrue, stream.put()), E_OUTOFMEMORY);
  EXPECT_FALSE(stream);
  hook_.Reset();
  EXPECT_EQ(TextOf(OpenText(TristateTrue).get(), &ITextStream::ReadAll), L"a");
}

// In the system code page and in UTF-16, a read of 2^31-1 after a first read gives the rest. (The
// binary stream's is the argument sweep's: a request that large would fail there.)
TEST_F(GuardedAllocation, ATextReadTakesNoMoreRoomThanTheFileHasLeft) {
  for (const auto& [format, content, rest] :
       {std::tuple(TristateFalse, std::string("0123456789"), L"23456789"),
        std::tuple(TristateTrue, std::string("\xFF\xFE" "0\0" "1\0" "2\0" "3\0" "4\0" "5\0", 14), L"2345")}) {
    WriteBytes(file_, content);
    ComPtr<ITextStream> stream = OpenText(format);
    ASSERT_TRUE(stream);
    Bstr text;
    EXPECT_EQ(stream->Read(2, text.put()), S_OK);
    hook_.Reset();
    EXPECT_EQ(stream->Read(0x7FFFFFFF, text.put()), S_OK) << format;
    EXPECT_EQ(text.view(), rest);
    EXPECT_LE(hook_.largest(), kReadAhead);
    VARIANT_BOOL atEnd = VARIANT_FALSE;
    EXPECT_EQ(stream->Read(0x7FFFFFFF, text.put()), S_OK);
    EXPECT_EQ(stream->get_AtEndOfStream(&atEnd), S_OK);
    EXPECT_EQ(atEnd, VARIANT_TRUE) << "a read at the end still marks it";
  }
}

// 2^28 one-byte variants take 4 GiB or more (16 or 24 bytes each), past what the platform can size
// an array by: refused before anything is read or allocated for it.
TEST_F(GuardedAllocation, AVariantArrayTooLargeToSizeIsRefusedBeforeReading) {
  {
    com::UniqueFile file(::CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER size;
    size.QuadPart = 1 << 28;  // sparse: nothing is written
    ASSERT_TRUE(::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get()));
  }
  ComPtr<IBinaryStream> binary;
  ASSERT_EQ(manager_->OpenBinaryFile(path_.get(), ForReading, VARIANT_FALSE, binary.put()), S_OK);
  hook_.Reset();
  Variant values;
  EXPECT_TRUE(IsSystemError(binary->ReadVarAll(values.put()), ERROR_ARITHMETIC_OVERFLOW));
  EXPECT_TRUE(IsSystemError(binary->ReadVar(1 << 28, values.put()), ERROR_ARITHMETIC_OVERFLOW));
  EXPECT_LE(hook_.largest(), kReadAhead);
}

}  // namespace
}  // namespace docket::test
