// The path-name functions through the component's interface: the platform's absolute form,
// the current directory at call time, null inputs, the length limits and temporary names. (The
// string rules themselves are covered case by case by the native tests.)
#include "folder_test_support.h"

namespace docket::test {
namespace {

class PathNames : public testing::Test {
 protected:
  using OneArg = HRESULT (STDMETHODCALLTYPE IFileManager::*)(BSTR, BSTR*);
  std::wstring Call(OneArg method, const wchar_t* path) {
    Bstr out;
    EXPECT_EQ((manager_.get()->*method)(path ? Bstr(path).get() : nullptr, out.put()), S_OK);
    return std::wstring(out.view());
  }

  ComPtr<IFileManager> manager_ = NewManager();
  CurrentDirectoryChange current_{L"C:\\windows"};
};

TEST_F(PathNames, AbsoluteFormFunctionsResolveAgainstTheCurrentDirectoryAtCallTime) {
  EXPECT_EQ(Call(&IFileManager::GetAbsolutePathName, L"x\\y.txt"), L"C:\\windows\\x\\y.txt");
  EXPECT_EQ(Call(&IFileManager::GetParentFolderName, L"a\\b"), L"C:\\windows\\a");
  EXPECT_EQ(Call(&IFileManager::GetAbsolutePathName, L""), L"C:\\windows");
  ::SetCurrentDirectoryW(L"C:\\windows\\system32");
  EXPECT_EQ(Call(&IFileManager::GetAbsolutePathName, L""), L"C:\\windows\\system32");
  EXPECT_EQ(Call(&IFileManager::GetAbsolutePathName, nullptr), L"C:\\windows\\system32");
  EXPECT_EQ(Call(&IFileManager::GetFileName, L"."), L"system32");
  EXPECT_EQ(Call(&IFileManager::GetParentFolderName, L"..\\x"), L"")
      << "a path ordering before its parent has none";
}

TEST_F(PathNames, RootsAndTrailingSeparators) {
  struct Case {
    OneArg method;
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {&IFileManager::GetParentFolderName, L"C:\\", L""},
      {&IFileManager::GetParentFolderName, L"C:\\a\\b\\", L"C:\\a"},
      {&IFileManager::GetParentFolderName, L"C:\\a", L"C:\\"},
      // "/" orders before "\", so a path written with slashes orders before its parent.
      {&IFileManager::GetParentFolderName, L"C:/a/b", L""},
      {&IFileManager::GetFileName, L"C:/a/b.txt", L"b.txt"},
      {&IFileManager::GetFileName, L"C:\\dir\\", L""},
      {&IFileManager::GetFileName, L"C:\\a\\b\\..", L"a"},
      {&IFileManager::GetBaseName, L"C:\\dir\\.cfg", L""},
      {&IFileManager::GetAbsolutePathName, L"C:\\a\\.\\b\\..\\c", L"C:\\a\\c"},
      {&IFileManager::GetDriveName, L"\\\\srv\\sh", L"\\\\srv\\sh"},
      {&IFileManager::GetDriveName, nullptr, L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Call(c.method, c.path), c.expected) << (c.path ? c.path : L"(null)");
}

TEST_F(PathNames, AbsoluteFormsBeyondTheLimitGiveAnEmptyString) {
  const std::wstring fits = L"C:\\" + std::wstring(255, L'f');  // 258 characters
  EXPECT_EQ(Call(&IFileManager::GetAbsolutePathName, fits.c_str()), fits);
  EXPECT_EQ(Call(&IFileManager::GetAbsolutePathName, (fits + L"gg").c_str()), L"")
      << "260 characters do not fit";
}

TEST_F(PathNames, GetTempNameCreatesTwoDistinctEmptyFiles) {
  Bstr first, second;
  ASSERT_EQ(manager_->GetTempName(first.put()), S_OK);
  ASSERT_EQ(manager_->GetTempName(second.put()), S_OK);
  EXPECT_NE(first.view(), second.view());
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  for (const Bstr* name : {&first, &second}) {
    const std::wstring text(name->view());
    EXPECT_EQ(text.find(L'\\'), std::wstring::npos) << "a bare name";
    EXPECT_EQ(text.substr(0, 3), L"rad");
    EXPECT_EQ(::lstrcmpiW(text.substr(text.size() - 4).c_str(), L".tmp"), 0) << text;
    const std::wstring full = std::wstring(temp) + text;
    EXPECT_TRUE(Exists(full));
    EXPECT_EQ(ReadBytes(full), "");
    ::DeleteFileW(full.c_str());
  }
}

TEST_F(PathNames, NullOutputIsRefused) {
  Bstr in(L"C:\\a");
  EXPECT_EQ(manager_->GetFileName(in.get(), nullptr), E_POINTER);
  EXPECT_EQ(manager_->BuildPath(in.get(), in.get(), nullptr), E_POINTER);
  EXPECT_EQ(manager_->GetTempName(nullptr), E_POINTER);
}

}  // namespace
}  // namespace docket::test
