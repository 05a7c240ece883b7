// The path-name functions through the component's interface (the string rules themselves are
// covered case by case by the native tests), and the paths the platform hands the module: the
// current directory behind every relative path, the temporary folder and the absolute forms built
// from them. Those lie here in a folder named ţ (U+0163), which the system code page (1252) lacks:
// in it the platform gives the best fit, "t", and a sibling folder "t" with the same contents
// stands ready to be taken for it. No member may answer with that look-alike or act on it; a name
// the code page holds, "é", works as any other.
#include "folder_test_support.h"

namespace docket::test {
namespace {

using OneArg = HRESULT (STDMETHODCALLTYPE IFileManager::*)(BSTR, BSTR*);

std::wstring Call(IFileManager* manager, OneArg method, const wchar_t* path) {
  Bstr out;
  EXPECT_EQ((manager->*method)(path ? Bstr(path).get() : nullptr, out.put()), S_OK);
  return std::wstring(out.view());
}

TEST(PathNames, AbsoluteFormsResolveAgainstTheCurrentDirectoryAtCallTime) {
  ComPtr<IFileManager> manager = NewManager();
  CurrentDirectoryChange current(L"C:\\windows");
  const std::wstring fits = L"C:\\" + std::wstring(255, L'f'), tooLong = fits + L"gg";  // 258 and 260 characters
  const struct {
    OneArg method;
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {&IFileManager::GetAbsolutePathName, L"x\\y.txt", L"C:\\windows\\x\\y.txt"},
      {&IFileManager::GetAbsolutePathName, L"", L"C:\\windows"},
      {&IFileManager::GetAbsolutePathName, nullptr, L"C:\\windows"},
      {&IFileManager::GetAbsolutePathName, L"C:\\a\\.\\b\\..\\c", L"C:\\a\\c"},
      {&IFileManager::GetParentFolderName, L"a\\b", L"C:\\windows\\a"},
      {&IFileManager::GetParentFolderName, L"..\\x", L""},  // a path ordering before its parent has none
      {&IFileManager::GetParentFolderName, L"C:\\", L""},
      {&IFileManager::GetParentFolderName, L"C:\\a\\b\\", L"C:\\a"},
      {&IFileManager::GetParentFolderName, L"C:\\a", L"C:\\"},
      {&IFileManager::GetParentFolderName, L"C:/a/b", L""},  // "/" orders before "\"
      {&IFileManager::GetFileName, L".", L"windows"},
      {&IFileManager::GetFileName, L"C:/a/b.txt", L"b.txt"},
      {&IFileManager::GetFileName, L"C:\\a\\b\\..", L"a"},
      {&IFileManager::GetAbsolutePathName, fits.c_str(), fits.c_str()},
      {&IFileManager::GetAbsolutePathName, tooLong.c_str(), L""},
  };
  for (const auto& c : cases) EXPECT_EQ(Call(manager.get(), c.method, c.path), c.expected) << (c.path ? c.path : L"-");
  ::SetCurrentDirectoryW(L"C:\\windows\\system32");
  EXPECT_EQ(Call(manager.get(), &IFileManager::GetAbsolutePathName, L""), L"C:\\windows\\system32");
  EXPECT_EQ(manager->GetFileName(Bstr(L"C:\\a").get(), nullptr), E_POINTER);
  EXPECT_EQ(manager->GetTempName(nullptr), E_POINTER);
}

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
    for (int i = 0; i < 2; ++i) ::SetEnvironmentVariableW(kNames[i], saved_[i].empty() ? nullptr : saved_[i].c_str());
  }

 private:
  static constexpr const wchar_t* kNames[2] = {L"TMP", L"TEMP"};
  std::wstring saved_[2];
};

size_t EntriesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  size_t count = search != INVALID_HANDLE_VALUE;
  while (count && ::FindNextFileW(search, &entry)) ++count;
  if (count) ::FindClose(search);
  return count;
}

struct ReturnedPathsTest : ManagerTest {
  const std::wstring inexact = dir / L"\x0163", lookAlike = dir / L"t", exact = dir / L"\xE9";

  void SetUp() override {
    for (const std::wstring& folder : {inexact, lookAlike, exact}) {
      ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
      ASSERT_TRUE(::CreateDirectoryW((folder + L"\\sub").c_str(), nullptr));
      WriteBytes(folder + L"\\x.txt", "x");
    }
    MakeDirs(dir, {L"src"});
  }
  void ExpectNothingMade() {
    EXPECT_EQ(EntriesIn(lookAlike), 4u) << ". .. sub x.txt";
    EXPECT_EQ(EntriesIn(inexact), 4u);
  }
};

TEST_F(ReturnedPathsTest, PathFunctionsAnswerNothingRatherThanTheLookAlike) {
  const struct {
    OneArg member;
    const wchar_t* path;
    std::wstring underExact;  // the answer when the current folder is the exact one
  } cases[] = {
      {&IFileManager::GetAbsolutePathName, L"sub", exact + L"\\sub"},
      {&IFileManager::GetAbsolutePathName, L"", exact},
      {&IFileManager::GetParentFolderName, L"sub\\x", exact + L"\\sub"},
      {&IFileManager::GetFileName, L".", L"\xE9"},
      {&IFileManager::GetBaseName, L".", L"\xE9"},
  };
  for (const auto& c : cases) {
    {
      CurrentDirectoryChange current(inexact);
      EXPECT_EQ(Call(manager.get(), c.member, c.path), L"") << c.path;
    }
    CurrentDirectoryChange current(exact);
    EXPECT_EQ(Call(manager.get(), c.member, c.path), c.underExact) << c.path;
  }
}

// Every member that makes a relative path absolute: a folder's initialisation (and with it the
// service's folder fronts), a folder's copy and move targets, a file's parent folder and drive.
TEST_F(ReturnedPathsTest, RelativePathsUnderAnInexactCurrentFolderAreRefused) {
  ComPtr<IFolder> source = FolderAt(dir / L"src");
  CurrentDirectoryChange current(inexact);
  ComPtr<IFile> file = FileAt(L"x.txt");  // the file in the real folder
  ASSERT_TRUE(file);
  ComPtr<IFolder> folder;
  ComPtr<IDrive> drive;
  EXPECT_TRUE(IsSystemError(file->get_ParentFolder(folder.put()), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(file->get_Drive(drive.put()), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), L"sub", &folder), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(manager->DeleteFolder(Bstr(L"sub").get(), VARIANT_TRUE), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(source->Copy(Bstr(L"copied").get(), VARIANT_TRUE), ERROR_INVALID_NAME));
  EXPECT_TRUE(IsSystemError(source->Move(Bstr(L"moved").get()), ERROR_INVALID_NAME));
  EXPECT_TRUE(Exists(lookAlike + L"\\sub") && Exists(inexact + L"\\sub") && Exists(dir / L"src"));
  ExpectNothingMade();

  // A made-up name in a relative folder comes back as the platform made it, in the real folder.
  Bstr unique;
  ASSERT_EQ(manager->CreateUniqueFile(Bstr(L".").get(), Bstr(L"ab").get(), unique.put()), S_OK);
  const std::wstring made(unique.view());
  EXPECT_EQ(made.rfind(L".\\ab", 0), 0u) << made;
  EXPECT_TRUE(Exists(inexact + made.substr(1)));
  EXPECT_EQ(EntriesIn(lookAlike), 4u);
}

TEST_F(ReturnedPathsTest, AnInexactTemporaryFolderIsRefusedBeforeAFileIsMade) {
  Bstr name, other;
  ComPtr<IFolder> folder;
  {
    TemporaryFolderChange temporary(inexact);
    EXPECT_TRUE(IsSystemError(manager->GetTempName(name.put()), ERROR_INVALID_NAME));
    EXPECT_TRUE(IsSystemError(manager->GetSpecialFolder(TemporaryFolder, folder.put()), ERROR_INVALID_NAME));
    ExpectNothingMade();
  }
  TemporaryFolderChange temporary(exact);
  ASSERT_EQ(manager->GetTempName(name.put()), S_OK);
  ASSERT_EQ(manager->GetTempName(other.put()), S_OK);
  EXPECT_NE(name.view(), other.view());
  EXPECT_EQ(ReadBytes(exact + L"\\" + std::wstring(name.view())), "") << "made, empty";
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
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), std::wstring(characters, L'\x8868'), &folder),
                            ERROR_FILENAME_EXCED_RANGE)) << characters;
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), std::wstring(characters - 1, L'\x8868'), &folder),
                            ERROR_FILE_NOT_FOUND)) << "only missing";
}

}  // namespace
}  // namespace docket::test
