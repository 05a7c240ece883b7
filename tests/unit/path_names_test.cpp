// The path-name functions (the string rules are the native tests'), and the paths the platform
// hands the module: the current directory, the temporary folder and absolute forms.
#include "folder_test_support.h"

#include <tuple>

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
  const std::wstring fits = L"C:\\" + std::wstring(255, L'f'), tooLong = fits + L"gg";  // 258 and 260 long
  using M = IFileManager;
  const std::tuple<OneArg, const wchar_t*, const wchar_t*> cases[] = {
      {&M::GetAbsolutePathName, L"x\\y.txt", L"C:\\windows\\x\\y.txt"},
      {&M::GetAbsolutePathName, nullptr, L"C:\\windows"}, {&M::GetAbsolutePathName, fits.c_str(), fits.c_str()},
      {&M::GetAbsolutePathName, tooLong.c_str(), L""}, {&M::GetFileName, L"C:\\a\\b\\..", L"a"},
      {&M::GetParentFolderName, L"a\\b", L"C:\\windows\\a"}, {&M::GetParentFolderName, L"C:\\a", L"C:\\"},
      {&M::GetParentFolderName, L"C:\\a\\b\\", L"C:\\a"}, {&M::GetParentFolderName, L"C:\\", L""},
      // What orders before its parent has none: "." before "C", "/" before "\".
      {&M::GetParentFolderName, L"..\\x", L""}, {&M::GetParentFolderName, L"C:/a/b", L""},
      {&M::GetFileName, L".", L"windows"}, {&M::GetFileName, L"C:/a/b.txt", L"b.txt"},
  };
  for (const auto& [method, path, expected] : cases)
    EXPECT_EQ(Call(manager.get(), method, path), expected) << (path ? path : L"(null)");
  ::SetCurrentDirectoryW(L"C:\\windows\\system32");
  EXPECT_EQ(Call(manager.get(), &IFileManager::GetAbsolutePathName, L""), L"C:\\windows\\system32");
  EXPECT_EQ(manager->GetFileName(Bstr(L"C:\\a").get(), nullptr), E_POINTER);
  EXPECT_EQ(manager->GetTempName(nullptr), E_POINTER);
}

// TMP, the first place the platform looks for its temporary folder, names `path` while this lives.
struct TemporaryFolderChange {
  explicit TemporaryFolderChange(const std::wstring& path) {
    saved.resize(::GetEnvironmentVariableW(L"TMP", saved.data(), MAX_PATH));
    ::SetEnvironmentVariableW(L"TMP", path.c_str());
  }
  ~TemporaryFolderChange() { ::SetEnvironmentVariableW(L"TMP", saved.empty() ? nullptr : saved.c_str()); }
  std::wstring saved = std::wstring(MAX_PATH, L'\0');
};

size_t EntriesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  size_t count = search != INVALID_HANDLE_VALUE;
  while (count && ::FindNextFileW(search, &entry)) ++count;
  if (count) ::FindClose(search);
  return count;
}

// Current and temporary folders in ţ (U+0163), which code page 1252 gives as its best fit "t": the
// sibling "t" stands ready to be taken for it. "é", which 1252 holds, works as any other name.
struct ReturnedPathsTest : ManagerTest {
  const std::wstring inexact = dir / L"\x0163", lookAlike = dir / L"t", exact = dir / L"\xE9";

  void SetUp() override {
    MakeDirs(dir, {L"\x0163", L"\x0163\\sub", L"t", L"t\\sub", L"\xE9", L"\xE9\\sub", L"src"});
    for (const std::wstring& folder : {inexact, lookAlike, exact}) WriteBytes(folder + L"\\x.txt", "x");
  }
  void ExpectNothingMade() {
    EXPECT_EQ(EntriesIn(lookAlike), 4u) << ". .. sub x.txt";
    EXPECT_EQ(EntriesIn(inexact), 4u);
  }
};

TEST_F(ReturnedPathsTest, PathFunctionsAnswerNothingRatherThanTheLookAlike) {
  using M = IFileManager;
  const std::tuple<OneArg, const wchar_t*, std::wstring> cases[] = {  // the last: the answer under the exact one
      {&M::GetAbsolutePathName, L"sub", exact + L"\\sub"}, {&M::GetAbsolutePathName, L"", exact},
      {&M::GetParentFolderName, L"sub\\x", exact + L"\\sub"}, {&M::GetFileName, L".", L"\xE9"},
      {&M::GetBaseName, L".", L"\xE9"},
  };
  for (const auto& [member, path, underExact] : cases) {
    {
      CurrentDirectoryChange current(inexact);
      EXPECT_EQ(Call(manager.get(), member, path), L"") << path;
    }
    CurrentDirectoryChange current(exact);
    EXPECT_EQ(Call(manager.get(), member, path), underExact) << path;
  }
}

// Every member that makes a relative path absolute.
TEST_F(ReturnedPathsTest, RelativePathsUnderAnInexactCurrentFolderAreRefused) {
  ComPtr<IFolder> source = FolderAt(dir / L"src");
  CurrentDirectoryChange current(inexact);
  ComPtr<IFile> file = FileAt(L"x.txt");  // the file in the real folder
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
  EXPECT_TRUE(made.starts_with(L".\\ab") && Exists(inexact + made.substr(1))) << made;
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
  ASSERT_TRUE(manager->GetTempName(name.put()) == S_OK && manager->GetTempName(other.put()) == S_OK);
  EXPECT_NE(name.view(), other.view());
  const std::wstring made = exact + L"\\" + std::wstring(name.view());
  EXPECT_TRUE(Exists(made) && ReadBytes(made).empty()) << "made, empty";
  ASSERT_EQ(manager->GetSpecialFolder(TemporaryFolder, folder.put()), S_OK);
  EXPECT_EQ(PathOf(folder.get()), exact);
}

}  // namespace
}  // namespace docket::test
