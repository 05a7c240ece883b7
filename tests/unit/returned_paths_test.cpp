// Paths the platform hands the module: the current directory (behind every relative path), the
// temporary folder and the absolute forms built from them. Here they lie in a folder named ţ
// (U+0163), which the system code page (1252) lacks: in that code page the platform gives its
// best fit, "t", and a sibling folder "t" with the same contents stands ready to be taken for it.
// No member may answer with that look-alike or act on it; a name the code page holds, "é", works
// as any other.
#include "folder_test_support.h"

namespace docket::test {
namespace {

// TMP and TEMP, where the platform's temporary folder comes from, name `path` while this lives.
class TemporaryFolderChange {
 public:
  explicit TemporaryFolderChange(const std::wstring& path) {
    for (int i = 0; i < 2; ++i) {
      saved_[i].resize(MAX_PATH);
      saved_[i].resize(::GetEnvironmentVariableW(kNames[i], saved_[i].data(), MAX_PATH));
      ::SetEnvironmentVariableW(kNames[i], path.c_str());
    }
  }
  ~TemporaryFolderChange() {
    for (int i = 0; i < 2; ++i)
      ::SetEnvironmentVariableW(kNames[i], saved_[i].empty() ? nullptr : saved_[i].c_str());
  }

 private:
  static constexpr const wchar_t* kNames[2] = {L"TMP", L"TEMP"};
  std::wstring saved_[2];
};

size_t EntriesIn(const std::wstring& folder) {
  size_t count = 0;
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return count;
}

struct ReturnedPathsTest : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  const std::wstring inexact = dir / L"\x0163";
  const std::wstring lookAlike = dir / L"t";
  const std::wstring exact = dir / L"\xE9";

  void SetUp() override {
    for (const std::wstring& folder : {inexact, lookAlike, exact}) {
      ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
      ASSERT_TRUE(::CreateDirectoryW((folder + L"\\sub").c_str(), nullptr));
      WriteBytes(folder + L"\\x.txt", "x");
    }
    ASSERT_TRUE(::CreateDirectoryW((dir / L"src").c_str(), nullptr));
  }

  std::wstring PathFunction(HRESULT (STDMETHODCALLTYPE IFileManager::*member)(BSTR, BSTR*),
                            const wchar_t* path) {
    Bstr result;
    EXPECT_EQ((manager.get()->*member)(Bstr(path).get(), result.put()), S_OK);
    return std::wstring(result.view());
  }
};

TEST_F(ReturnedPathsTest, PathFunctionsAnswerNothingRatherThanTheLookAlike) {
  struct Case {
    const char* label;
    HRESULT (STDMETHODCALLTYPE IFileManager::*member)(BSTR, BSTR*);
    const wchar_t* path;
    std::wstring underExact;  // the answer when the current folder is the exact one
  };
  const Case cases[] = {
      {"GetAbsolutePathName", &IFileManager::GetAbsolutePathName, L"sub", exact + L"\\sub"},
      {"GetAbsolutePathName of the current folder", &IFileManager::GetAbsolutePathName, L"", exact},
      {"GetParentFolderName", &IFileManager::GetParentFolderName, L"sub\\x", exact + L"\\sub"},
      {"GetFileName", &IFileManager::GetFileName, L".", L"\xE9"},
      {"GetBaseName", &IFileManager::GetBaseName, L".", L"\xE9"},
  };
  for (const Case& c : cases) {
    {
      CurrentDirectoryChange current(inexact);
      EXPECT_EQ(PathFunction(c.member, c.path), L"") << c.label;
    }
    CurrentDirectoryChange current(exact);
    EXPECT_EQ(PathFunction(c.member, c.path), c.underExact) << c.label;
  }
}

// Every member that makes a relative path absolute: a folder's initialisation (and with it the
// service's folder fronts), a folder's copy and move targets, a file's parent folder and drive.
TEST_F(ReturnedPathsTest, RelativePathsUnderAnInexactCurrentFolderAreRefused) {
  ComPtr<IFolder> source;
  ASSERT_EQ(GetFolderOf(manager.get(), dir / L"src", &source), S_OK);

  CurrentDirectoryChange current(inexact);
  ComPtr<IFile> file;
  ASSERT_EQ(GetFileOf(manager.get(), L"x.txt", &file), S_OK) << "the file in the real folder";
  ComPtr<IFolder> parent;
  EXPECT_TRUE(IsSystemError(file->get_ParentFolder(parent.put()), ERROR_INVALID_NAME));
  ComPtr<IDrive> drive;
  EXPECT_TRUE(IsSystemError(file->get_Drive(drive.put()), ERROR_INVALID_NAME));

  ComPtr<IFolder> folder;
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), L"sub", &folder), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(manager->DeleteFolder(Bstr(L"sub").get(), VARIANT_TRUE),
                            ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(source->Copy(Bstr(L"copied").get(), VARIANT_TRUE), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(source->Move(Bstr(L"moved").get()), ERROR_INVALID_NAME));
  EXPECT_TRUE(Exists(lookAlike + L"\\sub") && Exists(inexact + L"\\sub"));
  EXPECT_TRUE(Exists(dir / L"src"));
  EXPECT_EQ(EntriesIn(lookAlike), 4u) << ". .. sub x.txt";
  EXPECT_EQ(EntriesIn(inexact), 4u);

  // A made-up name in a relative folder comes back as the platform made it, in the real folder.
  Bstr unique;
  ASSERT_EQ(manager->CreateUniqueFile(Bstr(L".").get(), Bstr(L"ab").get(), unique.put()), S_OK);
  EXPECT_EQ(std::wstring(unique.view()).rfind(L".\\ab", 0), 0u) << std::wstring(unique.view());
  EXPECT_TRUE(Exists(inexact + std::wstring(unique.view()).substr(1)));
  EXPECT_EQ(EntriesIn(lookAlike), 4u);
}

TEST_F(ReturnedPathsTest, AnInexactTemporaryFolderIsRefusedBeforeAFileIsMade) {
  {
    TemporaryFolderChange temporary(inexact);
    Bstr name;
    EXPECT_TRUE(IsSystemError(manager->GetTempName(name.put()), ERROR_INVALID_NAME));
    ComPtr<IFolder> folder;
    EXPECT_TRUE(IsSystemError(manager->GetSpecialFolder(TemporaryFolder, folder.put()),
                              ERROR_INVALID_NAME));
    EXPECT_EQ(EntriesIn(lookAlike), 4u) << "no file made in the look-alike";
    EXPECT_EQ(EntriesIn(inexact), 4u);
  }
  TemporaryFolderChange temporary(exact);
  Bstr name;
  ASSERT_EQ(manager->GetTempName(name.put()), S_OK);
  EXPECT_TRUE(Exists(exact + L"\\" + std::wstring(name.view()))) << std::wstring(name.view());
  ComPtr<IFolder> folder;
  ASSERT_EQ(manager->GetSpecialFolder(TemporaryFolder, folder.put()), S_OK);
  EXPECT_EQ(PathOf(folder.get()), exact);
}

// A folder's absolute form must fit 255 bytes of the system code page, however few characters
// that is. Runs in the prefix whose system code page is 932 (see double_byte_paths_test.cpp).
TEST(SystemDoubleByteReturnedPaths, AbsoluteFormsFitTheBufferInBytesNotCharacters) {
  if (::GetACP() != 932) GTEST_SKIP() << "needs 932 as the system code page";
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  CurrentDirectoryChange current(dir.path());
  // "<dir>\" and two bytes for each 表 (U+8868): 256 or 257 bytes, far fewer characters.
  const size_t characters = (256 - dir.path().size()) / 2;
  ComPtr<IFolder> folder;
  const HRESULT tooLong = GetFolderOf(manager.get(), std::wstring(characters, L'\x8868'), &folder);
  EXPECT_TRUE(IsSystemError(tooLong, ERROR_FILENAME_EXCED_RANGE)) << characters;
  const HRESULT fits = GetFolderOf(manager.get(), std::wstring(characters - 1, L'\x8868'), &folder);
  EXPECT_TRUE(IsSystemError(fits, ERROR_FILE_NOT_FOUND)) << "only missing";
}

}  // namespace
}  // namespace docket::test
