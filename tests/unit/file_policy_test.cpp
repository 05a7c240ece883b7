// The administrator's DisableDelete switch over the file deletions, on a fresh copy of the module
// (the policy is read at load). Names start with "Policy": they run alone.
#include "file_test_support.h"
#include "support/registry_sandbox.h"

namespace docket::test {
namespace {

TEST(PolicyDeleteFiles, RefusedBeforeAnythingOnDiskIsTouched) {
  ScratchDir dir;
  PolicyKey key;
  key.SetDword(L"DisableDelete", 1);
  auto module = LoadedModule::LoadCopy(dir.path());
  ComPtr<IFileManager> manager = NewManager(*module);
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"ro.txt", &file), S_OK);
  const std::wstring refusal =
      L"This option has been disabled in the registry please see your administrator for more "
      L"information.";
  for (const std::wstring& spec : {dir / L"ro.txt", dir / L"missing", std::wstring(300, L'p')})
    EXPECT_TRUE(IsReported(manager->DeleteFile(Bstr(spec).get(), VARIANT_TRUE), E_ACCESSDENIED,
                           refusal)) << spec;
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_TRUE), E_ACCESSDENIED, refusal));
  EXPECT_TRUE(::GetFileAttributesW((dir / L"ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY)
      << "not even the attributes were forced";
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW((dir / L"ro.txt").c_str());
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_FALSE), E_ACCESSDENIED, refusal)) << "file gone";
}

}  // namespace
}  // namespace docket::test
