// File and Folder open streams on their own paths.
#include "stream_test_support.h"

namespace docket::test {
namespace {

using StreamOpening = ManagerTest;

TEST_F(StreamOpening, AFileOpensItsOwnPathWithoutCreatingIt) {
  const std::wstring path = dir / L"a.txt";
  WriteBytes(path, std::string("\xFF\xFEh\0i\0", 6));
  ComPtr<IFile> file = FileAt(path);
  ComPtr<ITextStream> text;
  ASSERT_EQ(file->OpenAsTextStream(ForReading, TristateUseDefault, text.put()), S_OK);
  EXPECT_EQ(TextOf(text.get(), &ITextStream::ReadAll), L"hi");
  text->Close();

  ComPtr<IBinaryStream> binary;
  ASSERT_EQ(file->OpenAsBinaryStream(ForAppending, binary.put()), S_OK);
  EXPECT_EQ(binary->Fill('!', 1), S_OK);
  binary->Close();
  EXPECT_EQ(ReadBytes(path), std::string("\xFF\xFEh\0i\0!", 7));

  ::DeleteFileW(path.c_str());
  EXPECT_TRUE(IsSystemError(file->OpenAsBinaryStream(ForWriting, binary.put()),
                            ERROR_FILE_NOT_FOUND)) << "a stream of a File never creates the file";
  EXPECT_FALSE(Exists(path));
}

TEST_F(StreamOpening, AFolderTakesANameWithoutBackslashAsOneOfItsOwn) {
  ComPtr<IFolder> folder = FolderAt(dir.path());
  ComPtr<ITextStream> text;
  ASSERT_EQ(folder->CreateTextFile(Bstr(L"t.txt").get(), VARIANT_TRUE, VARIANT_TRUE, text.put()), S_OK);
  text->Close();
  EXPECT_EQ(ReadBytes(dir / L"t.txt"), "\xFF\xFE");

  ::CreateDirectoryW((dir / L"sub").c_str(), nullptr);
  const std::wstring pathName = dir / L"sub\\b.bin";
  ComPtr<IBinaryStream> binary;
  ASSERT_EQ(folder->CreateBinaryFile(Bstr(pathName).get(), VARIANT_TRUE, binary.put()), S_OK);
  binary->Close();
  EXPECT_TRUE(Exists(pathName)) << "a name with a backslash is a path of its own";
  EXPECT_FALSE(Exists(dir / L"b.bin"));

  EXPECT_TRUE(IsSystemError(folder->CreateBinaryFile(Bstr(L"t.txt").get(), VARIANT_FALSE, binary.put()),
                            ERROR_FILE_EXISTS)) << "no overwrite";
}

}  // namespace
}  // namespace docket::test
