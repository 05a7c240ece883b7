// BinaryStream on real files, and the streams File and Folder open.
#include "folder_test_support.h"
#include "stream_test_support.h"

#include <random>

namespace docket::test {
namespace {

struct BinaryStreamTest : ManagerTest {
  std::wstring file_ = dir / L"data.bin";

  ComPtr<IBinaryStream> Open(const std::string& content, IOMode mode = ForReading) {
    WriteBytes(file_, content);
    ComPtr<IBinaryStream> stream;
    EXPECT_EQ(manager->OpenBinaryFile(Bstr(file_).get(), mode, VARIANT_FALSE, stream.put()), S_OK);
    return stream;
  }
  static std::string Read(IBinaryStream* stream, LONG count) {  // an array even when empty
    Variant bytes;
    return stream->Read(count, bytes.put()) == S_OK ? BytesOf(*bytes.get()) : "<failed>";
  }
};

TEST_F(BinaryStreamTest, TheEndIsSetOnlyByARequestThatComesBackEmpty) {
  auto stream = Open("abcd");
  EXPECT_TRUE(Read(stream.get(), 0).empty() && !AtEnd(stream.get())) << "asking for nothing says nothing";
  EXPECT_TRUE(Read(stream.get(), 10) == "abcd" && !AtEnd(stream.get()));
  EXPECT_TRUE(Read(stream.get(), 10).empty() && AtEnd(stream.get()));
  stream->Close();
  Variant values;
  stream = Open("");
  EXPECT_TRUE(stream->ReadAll(values.put()) == S_OK && AtEnd(stream.get())) << "an empty file's whole is its end";
  stream->Close();
  // ReadVar: one VT_UI1 variant per byte, from index 0.
  stream = Open("\x01\xFF");
  ASSERT_EQ(stream->ReadVarAll(values.put()), S_OK);
  ASSERT_EQ(values.type(), VT_ARRAY | VT_VARIANT);
  const SAFEARRAY* array = V_ARRAY(values.get());
  const VARIANT* last = static_cast<const VARIANT*>(array->pvData) + 1;
  ASSERT_TRUE(array->rgsabound[0].cElements == 2 && array->rgsabound[0].lLbound == 0);
  EXPECT_TRUE(V_VT(last) == VT_UI1 && V_UI1(last) == 0xFF);
  EXPECT_EQ(stream->ReadVar(1, nullptr), E_INVALIDARG);
}

// A byte array behind a reference, a string as its UTF-16 bytes, a number whose low byte fills.
TEST_F(BinaryStreamTest, WriteAndFillTakeWhatAScriptPasses) {
  auto stream = Open("", ForWriting);
  VARIANT bytes = ByteArray("\x01\x02"), reference;
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
  auto stream = Open("0123456789", ForWriting);
  EXPECT_TRUE(stream->Fill('x', 3) == S_OK && stream->Close() == S_OK);
  EXPECT_EQ(ReadBytes(file_), "xxx3456789") << "writing does not truncate";
  stream = Open("xxx3456789", ForAppending);
  EXPECT_FALSE(AtEnd(stream.get())) << "only an empty file is at its end when appending";
  EXPECT_TRUE(stream->Fill('!', 1) == S_OK && stream->Close() == S_OK);
  EXPECT_EQ(ReadBytes(file_), "xxx3456789!");
  const Bstr fresh(dir / L"fresh.bin");
  EXPECT_TRUE(IsReported(manager->OpenBinaryFile(fresh.get(), static_cast<IOMode>(4), VARIANT_TRUE, stream.put()),
                         DISP_E_EXCEPTION, L"Unknown Mode."));
  EXPECT_FALSE(Exists(fresh.get())) << "an unknown mode touches no file, even with Create";
  EXPECT_TRUE(IsSystemError(manager->CreateBinaryFile(Bstr(file_).get(), VARIANT_FALSE, stream.put()),
                            ERROR_FILE_EXISTS) && ReadBytes(file_) == "xxx3456789!");
  EXPECT_EQ(manager->CreateBinaryFile(Bstr(file_).get(), VARIANT_TRUE, stream.put()), S_OK);
  EXPECT_EQ(ReadBytes(file_), "") << "replaced when allowed";
}

TEST_F(BinaryStreamTest, EveryFileOperationAfterCloseFailsOnTheHandle) {
  auto stream = Open("abc");
  EXPECT_TRUE(stream->Close() == S_OK && stream->Close() == S_OK) << "closing twice is fine";
  Variant out;
  VARIANT bytes = ByteArray("x");
  const HRESULT results[] = {stream->Read(1, out.put()), stream->Read(0, out.put()),  stream->ReadAll(out.put()),
                             stream->ReadVar(1, out.put()), stream->Skip(1), stream->Fill(1, 1),
                             stream->Write(&bytes)};
  for (size_t i = 0; i < std::size(results); ++i) EXPECT_EQ(results[i], Win32Code(ERROR_INVALID_HANDLE)) << i;
  EXPECT_EQ(TakeError().description, SystemText(ERROR_INVALID_HANDLE));
  ::VariantClear(&bytes);
}

// Writes and moves land where the caller's reads stopped; reads of any size give the file back.
TEST_F(BinaryStreamTest, ReadAheadIsInvisibleToWritesMovesAndLargeReads) {
  auto stream = Open("0123456789", ForAppending);
  EXPECT_TRUE(stream->Skip(-10) == S_OK && Read(stream.get(), 3) == "012");
  EXPECT_TRUE(stream->Fill('-', 2) == S_OK && Read(stream.get(), 2) == "56");
  EXPECT_TRUE(IsSystemError(stream->Skip(-1000), ERROR_NEGATIVE_SEEK)) << "before the start";
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), "012--56789");

  std::mt19937 random(99);
  std::string content(300000, '\0');
  for (char& c : content) c = static_cast<char>(random());
  stream = Open(content);
  std::string back;
  for (LONG size : {1, 70000, 3, 65536, 65535, 2, 90000}) back += Read(stream.get(), size);
  back += Read(stream.get(), static_cast<LONG>(content.size() - back.size()));
  EXPECT_EQ(back, content);
  EXPECT_FALSE(AtEnd(stream.get())) << "the last bytes came back; nothing came back empty yet";
  EXPECT_TRUE(Read(stream.get(), 1).empty() && AtEnd(stream.get()));
}

// File and Folder open streams on their own paths and never create a File's file.
TEST_F(BinaryStreamTest, FilesAndFoldersOpenStreamsOnTheirOwnPaths) {
  WriteBytes(file_, "hi");
  ComPtr<IFile> file = FileAt(file_);
  ComPtr<ITextStream> text;
  ComPtr<IBinaryStream> binary;
  ASSERT_EQ(file->OpenAsBinaryStream(ForAppending, binary.put()), S_OK);
  EXPECT_TRUE(binary->Fill('!', 1) == S_OK && binary->Close() == S_OK && ReadBytes(file_) == "hi!");
  ::DeleteFileW(file_.c_str());
  EXPECT_TRUE(IsSystemError(file->OpenAsBinaryStream(ForWriting, binary.put()), ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Exists(file_));

  ComPtr<IFolder> folder = FolderAt(dir.path());  // a name without a backslash is one of its own
  ASSERT_EQ(folder->CreateTextFile(Bstr(L"t.txt").get(), VARIANT_TRUE, VARIANT_TRUE, text.put()), S_OK);
  EXPECT_TRUE(text->Close() == S_OK && ReadBytes(dir / L"t.txt") == "\xFF\xFE");
  MakeDirs(dir, {L"sub"});
  ASSERT_EQ(folder->CreateBinaryFile(Bstr(dir / L"sub\\b.bin").get(), VARIANT_TRUE, binary.put()), S_OK);
  binary->Close();
  EXPECT_TRUE(Exists(dir / L"sub\\b.bin") && !Exists(dir / L"b.bin")) << "a path of its own";
}

}  // namespace
}  // namespace docket::test
