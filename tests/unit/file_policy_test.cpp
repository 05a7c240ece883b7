// The administrator's DisableDelete switch over the file deletions. The policy is read when the
// module is loaded, so each case loads its own copy of the module under a new name.
#include "file_test_support.h"

#include <memory>

namespace docket::test {
namespace {

constexpr wchar_t kPolicyKey[] = L"SOFTWARE\\Corvane Works\\QF-Docket\\Parameters";
constexpr wchar_t kRefusal[] =
    L"This option has been disabled in the registry please see your administrator for more "
    L"information.";

// A fresh module that read DisableDelete with the given registry value. The value is there only
// while the copy loads (other tests share the key), and the key goes if it was made for this.
struct PolicyCase : ::testing::Test {
  ScratchDir dir;
  std::unique_ptr<LoadedModule> module;

  void LoadWithDisableDelete(const wchar_t* copyName, DWORD type, const void* data, DWORD size) {
    const std::wstring copy = dir / copyName;
    ASSERT_TRUE(::CopyFileW(LoadedModule::BuiltModulePath().c_str(), copy.c_str(), FALSE));
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPolicyKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, &disposition),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, L"DisableDelete", 0, type, static_cast<const BYTE*>(data), size);
    module = std::make_unique<LoadedModule>(copy);
    ::RegDeleteValueW(key, L"DisableDelete");
    ::RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPolicyKey);
  }
  void TearDown() override { module.reset(); }  // before the scratch folder with the copy goes
};

::testing::AssertionResult IsRefusal(HRESULT hr) {
  const ErrorFields reported = TakeError();
  if (hr == E_ACCESSDENIED && reported.description == kRefusal)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got 0x" << std::hex << static_cast<ULONG>(hr) << " \""
                                       << reported.description << "\"";
}

TEST_F(PolicyCase, DisableDeleteRefusesEveryDeletionBeforeLookingAtTheDisk) {
  const DWORD on = 1;
  LoadWithDisableDelete(L"policy-delete-on.dll", REG_DWORD, &on, sizeof on);
  ComPtr<IFileManager> manager = NewManager(*module);
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"ro.txt", &file), S_OK);

  for (const std::wstring& spec :
       {dir / L"ro.txt", dir / L"*", dir / L"missing.txt", std::wstring(300, L'p')}) {
    const Bstr text(spec);
    EXPECT_TRUE(IsRefusal(manager->DeleteFile(text.get(), VARIANT_TRUE))) << spec;
  }
  EXPECT_TRUE(IsRefusal(file->Delete(VARIANT_TRUE)));
  EXPECT_EQ(::GetFileAttributesW((dir / L"ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))
      << "not even forcing the attributes happened";
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW((dir / L"ro.txt").c_str());
  EXPECT_TRUE(IsRefusal(file->Delete(VARIANT_FALSE))) << "also when the file is gone";
}

TEST_F(PolicyCase, AnEightByteDisableDeleteIsUnreadableAndAllowsDeletion) {
  const ULONGLONG on = 1;
  LoadWithDisableDelete(L"policy-delete-qword.dll", REG_QWORD, &on, sizeof on);
  ComPtr<IFileManager> manager = NewManager(*module);
  WriteBytes(dir / L"a.txt", "x");
  const Bstr path(dir / L"a.txt");
  EXPECT_EQ(manager->DeleteFile(path.get(), VARIANT_FALSE), S_OK);
  EXPECT_FALSE(Exists(dir / L"a.txt"));
}

}  // namespace
}  // namespace docket::test
