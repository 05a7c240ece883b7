// The administrator's DisableDelete switch over every deletion, on a fresh copy of the module
// (the policy is read at load). Names start with "Policy": they run alone.
#include "folder_test_support.h"
#include "support/registry_sandbox.h"

namespace docket::test {
namespace {

TEST(PolicyDisableDelete, RefusesBeforeAnythingOnDiskIsLookedAt) {
  ScratchDir dir;
  PolicyKey key;
  key.SetDword(L"DisableDelete", 1);
  auto module = LoadedModule::LoadCopy(dir.path());
  ComPtr<IFileManager> manager = NewManager(*module);
  MakeDirs(dir, {L"kept"});
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"ro.txt", &file), S_OK);
  ASSERT_EQ(GetFolderOf(manager.get(), dir / L"kept", &folder), S_OK);
  for (const std::wstring& path : {dir / L"ro.txt", dir / L"kept", dir / L"missing", std::wstring(300, L'p'),
                                   std::wstring()}) {
    EXPECT_TRUE(IsReported(manager->DeleteFile(Bstr(path).get(), VARIANT_TRUE), E_ACCESSDENIED,
                           kPolicyRefusal)) << path;
    EXPECT_TRUE(IsReported(manager->DeleteFolder(Bstr(path).get(), VARIANT_TRUE), E_ACCESSDENIED,
                           kPolicyRefusal)) << path;
  }
  EXPECT_TRUE(IsReported(folder->Delete(VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  EXPECT_TRUE(::GetFileAttributesW((dir / L"ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY)
      << "not even the attributes were forced";
  EXPECT_EQ(folder->Copy(Bstr(dir / L"copied").get(), VARIANT_TRUE), S_OK) << "only deletion is off";
  EXPECT_TRUE(Exists(dir / L"kept"));
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW((dir / L"ro.txt").c_str());
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_FALSE), E_ACCESSDENIED, kPolicyRefusal)) << "file gone";
}

}  // namespace
}  // namespace docket::test
