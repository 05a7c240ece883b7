// Moving files where the platform has no move-with-replace (the Windows 95 family): a copy, then
// deletion of the source. Wine shows a program the version configured for its file name, so the
// parent case runs the child cases in a copy of this test program marked as Windows 98.
#include "file_test_support.h"

#include <cstdlib>

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

TEST_F(NonNtPlatform, MoveRefusesAnExistingTargetWithTheCopysError) {
  WriteBytes(dir / L"a.txt", "new");
  WriteBytes(dir / L"b.txt", "old");
  const Bstr a(dir / L"a.txt"), b(dir / L"b.txt");
  EXPECT_TRUE(IsSystemError(manager->MoveFile(a.get(), b.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  ComPtr<IFile> file;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"a.txt", &file), S_OK);
  const Bstr bareName(L"b.txt");
  EXPECT_TRUE(IsSystemError(file->Move(bareName.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "old");
  EXPECT_EQ(manager->MoveFile(a.get(), b.get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "new");
  EXPECT_FALSE(Exists(dir / L"a.txt"));
}

TEST_F(NonNtPlatform, AFailedDeletionLeavesTheCopyInPlace) {
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  const Bstr from(dir / L"ro.txt"), to(dir / L"copy.txt");
  EXPECT_TRUE(IsSystemError(manager->MoveFile(from.get(), to.get(), VARIANT_TRUE),
                            ERROR_ACCESS_DENIED));
  EXPECT_TRUE(Exists(dir / L"ro.txt"));
  EXPECT_EQ(ReadBytes(dir / L"copy.txt"), "x");
}

TEST(NonNtMove, RunsTheCasesOnWindows98) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring folder(self, std::wstring_view(self).find_last_of(L'\\') + 1);
  // Beside the original, so that the copy finds the module under test as it does.
  const std::wstring name = L"docket_unit_win98_" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
  const std::wstring copy = folder + name;
  ASSERT_TRUE(::CopyFileW(self, copy.c_str(), FALSE));
  const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, L"win98", 12);

  ScratchDir logs;
  const std::wstring log = logs / L"child.log";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE output = ::CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  std::wstring command = L"\"" + copy + L"\" --gtest_filter=NonNtPlatform.*";
  ::SetEnvironmentVariableW(kChildMark, L"1");
  PROCESS_INFORMATION child{};
  const BOOL started = ::CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &child);
  ::SetEnvironmentVariableW(kChildMark, nullptr);
  DWORD exitCode = 1;
  if (started) {
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::GetExitCodeProcess(child.hProcess, &exitCode);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
  }
  ::CloseHandle(output);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  ::DeleteFileW(copy.c_str());
  ASSERT_TRUE(started);
  const std::string report = ReadBytes(log);
  EXPECT_EQ(exitCode, 0u) << report;
  EXPECT_NE(report.find("[  PASSED  ] 2 tests"), std::string::npos) << report;
}

}  // namespace
}  // namespace docket::test
