// Moving files where the platform has no move-with-replace (the Windows 95 family): a copy, then
// deletion of the source. Wine shows a program the version configured for its file name, so the
// parent case runs the child cases in a copy of this test program marked as Windows 98.
#include "file_test_support.h"

#include <process.h>

namespace docket::test {
namespace {

constexpr wchar_t kChildMark[] = L"DOCKET_NON_NT_CHILD";

struct NonNtPlatform : ::testing::Test {
  void SetUp() override {
    if (!_wgetenv(kChildMark)) GTEST_SKIP() << "runs inside NonNtMove.RunsTheCasesOnWindows98";
    OSVERSIONINFOA version{sizeof version};
    ASSERT_TRUE(::GetVersionExA(&version));
    ASSERT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
  }
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
};

TEST_F(NonNtPlatform, MoveCopiesThenDeletesAndKeepsTheCopyWhenDeletionFails) {
  WriteBytes(dir / L"a.txt", "new");
  WriteBytes(dir / L"b.txt", "old");
  ComPtr<IFile> file;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"a.txt", &file), S_OK);
  EXPECT_TRUE(IsSystemError(file->Move(Bstr(L"b.txt").get(), VARIANT_FALSE), ERROR_FILE_EXISTS))
      << "the copy's error, not the NT move's";
  EXPECT_EQ(file->Move(Bstr(L"b.txt").get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "new");
  EXPECT_FALSE(Exists(dir / L"a.txt"));

  ::SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  const Bstr from(dir / L"b.txt"), to(dir / L"c.txt");
  EXPECT_TRUE(IsSystemError(manager->MoveFile(from.get(), to.get(), VARIANT_TRUE),
                            ERROR_ACCESS_DENIED));
  EXPECT_TRUE(Exists(dir / L"b.txt"));
  EXPECT_EQ(ReadBytes(dir / L"c.txt"), "new");
}

TEST(NonNtMove, RunsTheCasesOnWindows98) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  // Beside the original, so that the copy finds the module under test as it does.
  const std::wstring name = L"docket_unit_win98_" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
  const std::wstring copy = std::wstring(self, std::wcsrchr(self, L'\\') + 1) + name;
  ASSERT_TRUE(::CopyFileW(self, copy.c_str(), FALSE));
  const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, L"win98", 12);
  ::SetEnvironmentVariableW(kChildMark, L"1");
  // The child writes its report into this test's output.
  const intptr_t exitCode = _wspawnl(_P_WAIT, copy.c_str(), (L"\"" + copy + L"\"").c_str(),
                                     L"--gtest_filter=NonNtPlatform.*", nullptr);
  ::SetEnvironmentVariableW(kChildMark, nullptr);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  ::DeleteFileW(copy.c_str());
  EXPECT_EQ(exitCode, 0) << "the child's cases failed (or it did not start)";
}

}  // namespace
}  // namespace docket::test
