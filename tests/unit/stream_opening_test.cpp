// File and Folder open streams on their own paths. Both need their initialisation, which is
// built beside this; until it is there, these tests skip.
#include "stream_test_support.h"

namespace docket::test {
namespace {

// A File or Folder made for a path, or nothing when its initialisation is not built yet.
template <class Object, class Init>
ComPtr<Object> MadeFor(REFCLSID clsid, const std::wstring& path) {
  ComPtr<Object> object;
  ComPtr<Init> init;
  EXPECT_EQ(LoadedModule::Default().Create(clsid, object.put()), S_OK);
  EXPECT_EQ(object.As(&init), S_OK);
  if (init->InitPath(Bstr(path).get()) == E_NOTIMPL) return {};
  return object;
}

TEST(FileStreams, OpenTheFilesOwnPathWithoutCreatingIt) {
  ScratchDir dir;
  const std::wstring path = dir / L"a.txt";
  WriteBytes(path, std::string("\xFF\xFEh\0i\0", 6));
  auto file = MadeFor<IFile, IFileInit>(CLSID_File, path);
  if (!file) GTEST_SKIP() << "File initialisation is not built in this tree";

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

TEST(FolderStreams, NamesWithoutBackslashLandInTheFolder) {
  ScratchDir dir;
  auto folder = MadeFor<IFolder, IFolderInit>(CLSID_Folder, dir.path());
  if (!folder) GTEST_SKIP() << "Folder initialisation is not built in this tree";

  ComPtr<ITextStream> text;
  ASSERT_EQ(folder->CreateTextFile(Bstr(L"t.txt").get(), VARIANT_TRUE, VARIANT_TRUE, text.put()), S_OK);
  text->Close();
  EXPECT_EQ(ReadBytes(dir / L"t.txt"), "\xFF\xFE");

  const std::wstring elsewhere = dir / L"sub";
  ::CreateDirectoryW(elsewhere.c_str(), nullptr);
  ComPtr<IBinaryStream> binary;
  const std::wstring pathName = elsewhere + L"\\b.bin";
  ASSERT_EQ(folder->CreateBinaryFile(Bstr(pathName).get(), VARIANT_TRUE, binary.put()), S_OK);
  binary->Close();
  EXPECT_TRUE(Exists(pathName)) << "a name with a backslash is a path of its own";
  EXPECT_FALSE(Exists(dir / L"b.bin"));

  EXPECT_TRUE(IsSystemError(folder->CreateBinaryFile(Bstr(L"t.txt").get(), VARIANT_FALSE, binary.put()),
                            ERROR_FILE_EXISTS)) << "no overwrite";
}

}  // namespace
}  // namespace docket::test
