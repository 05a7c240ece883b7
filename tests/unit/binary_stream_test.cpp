// BinaryStream: reads and the end flag, what Write accepts, the modes of Open, moving, Close,
// and the read-ahead buffer staying invisible.
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
  ComPtr<IBinaryStream> OpenExisting(IOMode mode, bool create = false) {
    ComPtr<IBinaryStream> stream;
    EXPECT_EQ(manager_->OpenBinaryFile(Bstr(file_).get(), mode, create ? VARIANT_TRUE : VARIANT_FALSE,
                                       stream.put()),
              S_OK);
    return stream;
  }
  static std::string Read(IBinaryStream* stream, LONG count) {
    Variant bytes;
    EXPECT_EQ(stream->Read(count, bytes.put()), S_OK);
    return BytesOf(*bytes.get());
  }
  static bool AtEnd(IBinaryStream* stream) {
    VARIANT_BOOL end = 1;
    EXPECT_EQ(stream->get_AtEndOfStream(&end), S_OK);
    EXPECT_TRUE(end == VARIANT_TRUE || end == VARIANT_FALSE);
    return end == VARIANT_TRUE;
  }

  ScratchDir dir_;
  std::wstring file_ = dir_ / L"data.bin";
  ComPtr<IFileManager> manager_ = NewManager();
};

TEST_F(BinaryStreamTest, ReadSetsTheEndOnlyWhenARequestComesBackEmpty) {
  auto stream = Open("abcd");
  EXPECT_EQ(Read(stream.get(), 0), "");
  EXPECT_FALSE(AtEnd(stream.get())) << "asking for nothing says nothing about the end";
  EXPECT_EQ(Read(stream.get(), 10), "abcd");
  EXPECT_FALSE(AtEnd(stream.get()));
  Variant none;
  EXPECT_EQ(stream->Read(10, none.put()), S_OK);
  EXPECT_EQ(none.type(), VT_ARRAY | VT_UI1) << "an empty array, not an empty variant";
  EXPECT_EQ(BytesOf(*none.get()), "");
  EXPECT_TRUE(AtEnd(stream.get()));
  EXPECT_EQ(stream->Read(-1, none.put()), E_INVALIDARG);
  EXPECT_EQ(none.type(), VT_EMPTY);
}

TEST_F(BinaryStreamTest, ReadAllReturnsTheRestAndAnEmptyFileIsAtItsEnd) {
  auto stream = Open("0123456789");
  EXPECT_EQ(Read(stream.get(), 3), "012");
  Variant rest;
  EXPECT_EQ(stream->ReadAll(rest.put()), S_OK);
  EXPECT_EQ(BytesOf(*rest.get()), "3456789");
  EXPECT_FALSE(AtEnd(stream.get()));

  stream->Close();
  auto empty = Open("");
  EXPECT_EQ(empty->ReadAll(rest.put()), S_OK);
  EXPECT_EQ(BytesOf(*rest.get()), "");
  EXPECT_TRUE(AtEnd(empty.get()));
}

TEST_F(BinaryStreamTest, ReadVarGivesOneByteVariantPerByte) {
  auto stream = Open(std::string("\x01\x02\x03\xFF", 4));
  Variant values;
  ASSERT_EQ(stream->ReadVar(3, values.put()), S_OK);
  ASSERT_EQ(values.type(), VT_ARRAY | VT_VARIANT);
  SAFEARRAY* array = V_ARRAY(values.get());
  ASSERT_EQ(array->rgsabound[0].cElements, 3u);
  EXPECT_EQ(array->rgsabound[0].lLbound, 0);
  for (LONG i = 0; i < 3; ++i) {
    VARIANT* element = static_cast<VARIANT*>(array->pvData) + i;
    EXPECT_EQ(V_VT(element), VT_UI1);
    EXPECT_EQ(V_UI1(element), i + 1);
  }
  ASSERT_EQ(stream->ReadVarAll(values.put()), S_OK);
  EXPECT_EQ(V_ARRAY(values.get())->rgsabound[0].cElements, 1u);
  EXPECT_EQ(stream->ReadVar(1, nullptr), E_INVALIDARG) << "no result to fill";
  EXPECT_EQ(stream->ReadVarAll(nullptr), E_INVALIDARG);
  EXPECT_EQ(stream->ReadVar(-2, values.put()), E_INVALIDARG);
}

TEST_F(BinaryStreamTest, WriteTakesWhatConvertsToBytes) {
  auto stream = Open("", ForWriting);
  VARIANT text = VBstr(L"abc");
  EXPECT_EQ(stream->Write(&text), S_OK) << "a string is written as its UTF-16LE bytes";
  ::VariantClear(&text);
  VARIANT bytes = ByteArray("\x01\x02");
  VARIANT reference;
  V_VT(&reference) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&reference) = &bytes;
  EXPECT_EQ(stream->Write(&reference), S_OK) << "a byte array behind a reference";
  ::VariantClear(&bytes);
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), std::string("a\0b\0c\0\x01\x02", 8));

  // Numbers, arrays of variants and empty values are refused with one message.
  VARIANT refused[3];
  refused[0] = VI4(65);
  ::VariantInit(&refused[1]);
  V_VT(&refused[1]) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&refused[1]) = ::SafeArrayCreateVector(VT_VARIANT, 0, 2);
  ::VariantInit(&refused[2]);
  auto reopened = OpenExisting(ForWriting);
  for (VARIANT& value : refused) {
    const CallResult call = CallByName(reopened.get(), L"Write", DISPATCH_METHOD, {value});
    EXPECT_EQ(call.hr, DISP_E_EXCEPTION) << "type " << V_VT(&value);
    EXPECT_EQ(call.description, L"Couldn't convert type to Array of bytes.");
    EXPECT_EQ(call.source, L"Docket.BinaryStream.1");
  }
  EXPECT_EQ(reopened->Write(nullptr), E_POINTER);
}

TEST_F(BinaryStreamTest, FillWritesTheLowByteAndRefusesNegativeCounts) {
  auto stream = Open("", ForWriting);
  EXPECT_EQ(stream->Fill(0x141, 3), S_OK);
  EXPECT_EQ(stream->Fill(0x42, 0), S_OK);
  EXPECT_EQ(stream->Fill(0x43, -1), E_INVALIDARG);
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), "AAA");
}

TEST_F(BinaryStreamTest, ModesDecideAccessPositionAndTruncation) {
  auto writer = Open("0123456789", ForWriting);
  EXPECT_EQ(writer->Fill('x', 3), S_OK);
  writer->Close();
  EXPECT_EQ(ReadBytes(file_), "xxx3456789") << "writing does not truncate";

  auto appender = OpenExisting(ForAppending);
  EXPECT_FALSE(AtEnd(appender.get())) << "only an empty file is at its end when appending";
  EXPECT_EQ(appender->Fill('!', 1), S_OK);
  appender->Close();
  EXPECT_EQ(ReadBytes(file_), "xxx3456789!");

  auto emptyAppender = Open("", ForAppending);
  EXPECT_TRUE(AtEnd(emptyAppender.get()));
  emptyAppender->Close();

  auto reader = Open("abc");
  VARIANT none = ByteArray("z");
  ExpectSystemError(reader->Write(&none), ERROR_ACCESS_DENIED, "write on a reading stream");
  ::VariantClear(&none);
  reader->Close();
  auto writeOnly = OpenExisting(ForWriting);
  Variant bytes;
  ExpectSystemError(writeOnly->Read(1, bytes.put()), ERROR_ACCESS_DENIED, "read on a writing stream");
}

TEST_F(BinaryStreamTest, UnknownModeFailsBeforeTheFileIsTouched) {
  ComPtr<IBinaryStream> stream;
  const HRESULT hr = manager_->OpenBinaryFile(Bstr(file_).get(), static_cast<IOMode>(4), VARIANT_TRUE,
                                              stream.put());
  EXPECT_EQ(hr, DISP_E_EXCEPTION);
  EXPECT_EQ(TakeError().description, L"Unknown Mode.");
  EXPECT_FALSE(stream);
  EXPECT_FALSE(Exists(file_));
}

TEST_F(BinaryStreamTest, CreateReplacesOnlyWhenAllowed) {
  WriteBytes(file_, "old");
  ComPtr<IBinaryStream> stream;
  ExpectSystemError(manager_->CreateBinaryFile(Bstr(file_).get(), VARIANT_FALSE, stream.put()),
                    ERROR_FILE_EXISTS, "no overwrite");
  EXPECT_EQ(ReadBytes(file_), "old");
  EXPECT_EQ(manager_->CreateBinaryFile(Bstr(file_).get(), VARIANT_TRUE, stream.put()), S_OK);
  EXPECT_EQ(ReadBytes(file_), "");
  const std::wstring tooLong = dir_.path() + L"\\" + std::wstring(260, L'n');
  ExpectSystemError(manager_->CreateBinaryFile(Bstr(tooLong).get(), VARIANT_TRUE, stream.put()),
                    ERROR_FILENAME_EXCED_RANGE, "path too long");
}

TEST_F(BinaryStreamTest, SkipMovesFromTheCurrentPositionBothWays) {
  auto stream = Open("abcdefgh");
  EXPECT_EQ(Read(stream.get(), 5), "abcde");
  EXPECT_EQ(stream->Skip(-2), S_OK);
  EXPECT_EQ(Read(stream.get(), 1), "d");
  EXPECT_EQ(stream->Skip(100), S_OK) << "past the end is no failure";
  EXPECT_FALSE(AtEnd(stream.get()));
  ExpectSystemError(stream->Skip(-1000), ERROR_NEGATIVE_SEEK, "before the start");
}

TEST_F(BinaryStreamTest, EveryFileOperationAfterCloseFailsOnTheHandle) {
  auto stream = Open("abc");
  EXPECT_EQ(stream->Close(), S_OK);
  EXPECT_EQ(stream->Close(), S_OK) << "closing twice is fine";
  Variant out;
  ExpectSystemError(stream->Read(1, out.put()), ERROR_INVALID_HANDLE, "Read");
  ExpectSystemError(stream->Read(0, out.put()), ERROR_INVALID_HANDLE, "Read of nothing");
  ExpectSystemError(stream->ReadAll(out.put()), ERROR_INVALID_HANDLE, "ReadAll");
  ExpectSystemError(stream->ReadVar(1, out.put()), ERROR_INVALID_HANDLE, "ReadVar");
  ExpectSystemError(stream->Skip(1), ERROR_INVALID_HANDLE, "Skip");
  ExpectSystemError(stream->Fill(1, 1), ERROR_INVALID_HANDLE, "Fill");
  VARIANT bytes = ByteArray("x");
  ExpectSystemError(stream->Write(&bytes), ERROR_INVALID_HANDLE, "Write");
  ::VariantClear(&bytes);
  EXPECT_FALSE(AtEnd(stream.get())) << "the flag needs no file";
}

// The buffer reads ahead of the caller; writes and moves must still land where the caller's
// reads stopped, and reads of any size must give the file back byte for byte.
TEST_F(BinaryStreamTest, ReadAheadIsInvisibleToWritesMovesAndLargeReads) {
  auto stream = Open("0123456789", ForAppending);
  EXPECT_EQ(stream->Skip(-10), S_OK);
  EXPECT_EQ(Read(stream.get(), 3), "012");
  VARIANT bytes = ByteArray("ab");
  EXPECT_EQ(stream->Write(&bytes), S_OK);
  ::VariantClear(&bytes);
  EXPECT_EQ(Read(stream.get(), 2), "56");
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), "012ab56789");

  std::mt19937 random(99);
  std::string content(300000, '\0');
  for (char& c : content) c = static_cast<char>(random());
  auto big = Open(content);
  std::string back;
  for (LONG size : {1, 70000, 3, 65536, 65535, 2, 90000}) back += Read(big.get(), size);
  EXPECT_EQ(back, content.substr(0, back.size()));
  back += Read(big.get(), static_cast<LONG>(content.size() - back.size()));
  EXPECT_EQ(back, content);
  EXPECT_FALSE(AtEnd(big.get())) << "the last bytes came back; nothing came back empty yet";
  EXPECT_EQ(Read(big.get(), 1), "");
  EXPECT_TRUE(AtEnd(big.get()));
}

}  // namespace
}  // namespace docket::test
