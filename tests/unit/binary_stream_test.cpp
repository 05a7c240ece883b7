// BinaryStream: reads and the end flag, what Write accepts, the modes of Open, Close, and the
// read-ahead buffer staying invisible.
#include "stream_test_support.h"

#include <random>

namespace docket::test {
namespace {

class BinaryStreamTest : public testing::Test {
 protected:
  ComPtr<IBinaryStream> Open(const std::string& content, IOMode mode = ForReading) {
    WriteBytes(file_, content);
    return OpenExisting(mode);
  }
  ComPtr<IBinaryStream> OpenExisting(IOMode mode) {
    ComPtr<IBinaryStream> stream;
    EXPECT_EQ(manager_->OpenBinaryFile(Bstr(file_).get(), mode, VARIANT_FALSE, stream.put()), S_OK);
    return stream;
  }
  static std::string Read(IBinaryStream* stream, LONG count) {
    Variant bytes;
    EXPECT_EQ(stream->Read(count, bytes.put()), S_OK);
    EXPECT_EQ(bytes.type(), VT_ARRAY | VT_UI1) << "an array even when empty";
    return BytesOf(*bytes.get());
  }
  static bool AtEnd(IBinaryStream* stream) {
    VARIANT_BOOL end = 1;
    EXPECT_EQ(stream->get_AtEndOfStream(&end), S_OK);
    return end == VARIANT_TRUE;
  }

  ScratchDir dir_;
  std::wstring file_ = dir_ / L"data.bin";
  ComPtr<IFileManager> manager_ = NewManager();
};

TEST_F(BinaryStreamTest, TheEndIsSetOnlyByARequestThatComesBackEmpty) {
  auto stream = Open("abcd");
  EXPECT_EQ(Read(stream.get(), 0), "");
  EXPECT_FALSE(AtEnd(stream.get())) << "asking for nothing says nothing about the end";
  EXPECT_EQ(Read(stream.get(), 10), "abcd");
  EXPECT_FALSE(AtEnd(stream.get()));
  EXPECT_EQ(Read(stream.get(), 10), "");
  EXPECT_TRUE(AtEnd(stream.get()));
  stream->Close();

  auto empty = Open("");
  Variant none;
  EXPECT_EQ(empty->ReadAll(none.put()), S_OK);
  EXPECT_TRUE(AtEnd(empty.get())) << "the whole of an empty file is its end";
}

TEST_F(BinaryStreamTest, ReadVarGivesOneByteVariantPerByteFromZero) {
  auto stream = Open(std::string("\x01\xFF", 2));
  Variant values;
  ASSERT_EQ(stream->ReadVarAll(values.put()), S_OK);
  ASSERT_EQ(values.type(), VT_ARRAY | VT_VARIANT);
  const SAFEARRAY* array = V_ARRAY(values.get());
  ASSERT_EQ(array->rgsabound[0].cElements, 2u);
  EXPECT_EQ(array->rgsabound[0].lLbound, 0);
  const VARIANT* last = static_cast<const VARIANT*>(array->pvData) + 1;
  EXPECT_EQ(V_VT(last), VT_UI1);
  EXPECT_EQ(V_UI1(last), 0xFF);
  EXPECT_EQ(stream->ReadVar(1, nullptr), E_INVALIDARG) << "the variant forms' answer to no result";
}

// What a script hands Write and Fill: a byte array behind a reference, a string as its UTF-16
// bytes, a number whose low byte fills.
TEST_F(BinaryStreamTest, WriteAndFillTakeWhatAScriptPasses) {
  auto stream = Open("", ForWriting);
  VARIANT bytes = ByteArray("\x01\x02");
  VARIANT reference;
  V_VT(&reference) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&reference) = &bytes;
  EXPECT_EQ(stream->Write(&reference), S_OK);
  ::VariantClear(&bytes);
  EXPECT_EQ(CallByName(stream.get(), L"Write", DISPATCH_METHOD, {VBstr(L"ab")}).hr, S_OK);
  EXPECT_EQ(CallByName(stream.get(), L"Fill", DISPATCH_METHOD, {VI4(0x141), VI4(2)}).hr, S_OK);
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), std::string("\x01\x02" "a\0b\0" "AA", 8));
}

TEST_F(BinaryStreamTest, ModesDecidePositionAndTruncation) {
  auto writer = Open("0123456789", ForWriting);
  EXPECT_EQ(writer->Fill('x', 3), S_OK);
  writer->Close();
  EXPECT_EQ(ReadBytes(file_), "xxx3456789") << "writing does not truncate";

  auto appender = OpenExisting(ForAppending);
  EXPECT_FALSE(AtEnd(appender.get())) << "only an empty file is at its end when appending";
  EXPECT_EQ(appender->Fill('!', 1), S_OK);
  appender->Close();
  EXPECT_EQ(ReadBytes(file_), "xxx3456789!");

  ComPtr<IBinaryStream> refused;
  const std::wstring fresh = dir_ / L"fresh.bin";
  EXPECT_EQ(manager_->OpenBinaryFile(Bstr(fresh).get(), static_cast<IOMode>(4), VARIANT_TRUE, refused.put()),
            DISP_E_EXCEPTION);
  EXPECT_EQ(TakeError().description, L"Unknown Mode.");
  EXPECT_FALSE(Exists(fresh)) << "an unknown mode touches no file, even with Create";
}

TEST_F(BinaryStreamTest, CreateReplacesOnlyWhenAllowed) {
  WriteBytes(file_, "old");
  ComPtr<IBinaryStream> stream;
  EXPECT_TRUE(IsSystemError(manager_->CreateBinaryFile(Bstr(file_).get(), VARIANT_FALSE, stream.put()),
                            ERROR_FILE_EXISTS)) << "no overwrite";
  EXPECT_EQ(ReadBytes(file_), "old");
  EXPECT_EQ(manager_->CreateBinaryFile(Bstr(file_).get(), VARIANT_TRUE, stream.put()), S_OK);
  EXPECT_EQ(ReadBytes(file_), "");
}

TEST_F(BinaryStreamTest, EveryFileOperationAfterCloseFailsOnTheHandle) {
  auto stream = Open("abc");
  EXPECT_EQ(stream->Close(), S_OK);
  EXPECT_EQ(stream->Close(), S_OK) << "closing twice is fine";
  Variant out;
  VARIANT bytes = ByteArray("x");
  const struct {
    const char* name;
    HRESULT hr;
  } calls[] = {
      {"Read", stream->Read(1, out.put())},      {"Read of nothing", stream->Read(0, out.put())},
      {"ReadAll", stream->ReadAll(out.put())},   {"ReadVar", stream->ReadVar(1, out.put())},
      {"Skip", stream->Skip(1)},                 {"Fill", stream->Fill(1, 1)},
      {"Write", stream->Write(&bytes)},
  };
  for (const auto& call : calls) EXPECT_EQ(call.hr, Win32Code(ERROR_INVALID_HANDLE)) << call.name;
  EXPECT_EQ(TakeError().description, SystemText(ERROR_INVALID_HANDLE));
  ::VariantClear(&bytes);
}

// The buffer reads ahead of the caller; writes and moves must still land where the caller's
// reads stopped, and reads of any size must give the file back byte for byte.
TEST_F(BinaryStreamTest, ReadAheadIsInvisibleToWritesMovesAndLargeReads) {
  auto stream = Open("0123456789", ForAppending);
  EXPECT_EQ(stream->Skip(-10), S_OK);
  EXPECT_EQ(Read(stream.get(), 3), "012");
  EXPECT_EQ(stream->Fill('-', 2), S_OK);
  EXPECT_EQ(Read(stream.get(), 2), "56");
  EXPECT_TRUE(IsSystemError(stream->Skip(-1000), ERROR_NEGATIVE_SEEK)) << "before the start";
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), "012--56789");

  std::mt19937 random(99);
  std::string content(300000, '\0');
  for (char& c : content) c = static_cast<char>(random());
  auto big = Open(content);
  std::string back;
  for (LONG size : {1, 70000, 3, 65536, 65535, 2, 90000}) back += Read(big.get(), size);
  back += Read(big.get(), static_cast<LONG>(content.size() - back.size()));
  EXPECT_EQ(back, content);
  EXPECT_FALSE(AtEnd(big.get())) << "the last bytes came back; nothing came back empty yet";
  EXPECT_EQ(Read(big.get(), 1), "");
  EXPECT_TRUE(AtEnd(big.get()));
}

}  // namespace
}  // namespace docket::test
