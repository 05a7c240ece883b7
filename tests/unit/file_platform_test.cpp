// Moving files where the platform has no move-with-replace (the Windows 95 family): a copy, then
// deletion of the source. The parent case runs the child cases in a copy of this test program
// that sees Windows 98.
#include "file_test_support.h"
#include "support/version_child.h"

namespace docket::test {
namespace {

struct NonNtPlatform : ::testing::Test {
  void SetUp() override {
    if (ChildVersion() != L"win98") GTEST_SKIP() << "runs inside NonNtMove.RunsTheCasesOnWindows98";
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
  EXPECT_EQ(RunCasesAsVersion(L"win98", L"NonNtPlatform.*"), 0)
      << "the child's cases failed (or it did not start)";
}

}  // namespace
}  // namespace docket::test
