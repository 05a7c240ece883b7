// The service's file operations by path, with the exact messages a page author sees; moves where
// the platform has none with replace; the administrator's switch that turns deletion off.
#include "folder_test_support.h"
#include "support/registry_sandbox.h"
#include "support/version_child.h"

#include <thread>

namespace docket::test {
namespace {

struct FileOperations : ManagerTest {
  HRESULT Concat(const std::wstring& dest, std::vector<std::wstring> sources) {
    sources.resize(5);
    return manager->ConcatFiles(Bstr(dest).get(), Bstr(sources[0]).get(), Bstr(sources[1]).get(),
                                Bstr(sources[2]).get(), Bstr(sources[3]).get(), Bstr(sources[4]).get());
  }
};

TEST_F(FileOperations, ExistenceTellsFilesFromFoldersAndNeverFails) {
  WriteBytes(dir / L"a.txt", "");
  for (const std::wstring& path : {dir / L"a.txt", dir.path(), dir / L"no", dir / L"*.txt"}) {
    VARIANT_BOOL file = 7, folder = 7;
    EXPECT_TRUE(manager->FileExists(Bstr(path).get(), &file) == S_OK &&
                manager->FolderExists(Bstr(path).get(), &folder) == S_OK);
    EXPECT_EQ(file, path == dir / L"a.txt" ? VARIANT_TRUE : VARIANT_FALSE) << path;
    EXPECT_EQ(folder, path == dir.path() ? VARIANT_TRUE : VARIANT_FALSE) << path;
  }
}

// The name is written in the system code page (1252 here): it reaches exactly the file it names.
TEST_F(FileOperations, CreateCopyAndMoveReplaceAnExistingFileOnlyWhenAsked) {
  const Bstr a(dir / L"caf\u00E9 \u20AC.txt"), b(dir / L"b.txt");
  WriteBytes(a.get(), "new");
  WriteBytes(b.get(), "old");
  EXPECT_TRUE(IsSystemError(manager->CopyFile(a.get(), b.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  // The NT family's move refuses with its own error.
  EXPECT_TRUE(IsSystemError(manager->MoveFile(a.get(), b.get(), VARIANT_FALSE), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(ReadBytes(b.get()), "old");
  EXPECT_EQ(manager->MoveFile(a.get(), b.get(), VARIANT_TRUE), S_OK);
  EXPECT_TRUE(ReadBytes(b.get()) == "new" && !Exists(a.get()));
  EXPECT_TRUE(manager->CreateFile(a.get(), VARIANT_FALSE) == S_OK && Exists(a.get()));
  EXPECT_TRUE(manager->CreateFile(b.get(), VARIANT_TRUE) == S_OK && ReadBytes(b.get()).empty());
}

TEST_F(FileOperations, DeleteFileByWildcardSkipsFoldersAndStopsAtAFileItCannotDelete) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.dat"}) WriteBytes(dir / name, "");
  MakeDirs(dir, {L"e.txt"});
  ::SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  const Bstr pattern(dir / L"*.txt");
  wchar_t denied[512] = {};  // the system's text, line end included
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0x400, denied, 512, nullptr);
  EXPECT_TRUE(IsReported(manager->DeleteFile(pattern.get(), VARIANT_FALSE), DISP_E_EXCEPTION,
                         L"File: " + (dir / L"b.txt") + L"\nError: " + denied));
  EXPECT_FALSE(Exists(dir / L"a.txt")) << "deleted before the failure, and stays so";
  EXPECT_TRUE(Exists(dir / L"c.txt")) << "not reached";
  EXPECT_EQ(manager->DeleteFile(pattern.get(), VARIANT_TRUE), S_OK);
  EXPECT_TRUE(!Exists(dir / L"b.txt") && Exists(dir / L"d.dat"));
  EXPECT_TRUE(Exists(dir / L"e.txt")) << "a folder that matches is left alone";
  EXPECT_EQ(manager->DeleteFile(Bstr(dir / L"e.*").get(), VARIANT_FALSE), S_OK) << "only a folder matches";
}

TEST_F(FileOperations, ConcatFilesJoinsEveryGivenSourceInOrderAndNamesAFileThatFails) {
  WriteBytes(dir / L"empty", "");
  WriteBytes(dir / L"big", std::string(5000, 'b'));
  WriteBytes(dir / L"a", "aaa");
  WriteBytes(dir / L"out", "previous content, longer than what is written");
  EXPECT_EQ(Concat(dir / L"out", {dir / L"empty", dir / L"big", dir / L"a"}), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"out"), std::string(5000, 'b') + "aaa");
  // A gap in the optional sources does not end the list.
  EXPECT_EQ(Concat(dir / L"out", {dir / L"a", dir / L"a", L"", dir / L"big"}), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"out"), "aaaaaa" + std::string(5000, 'b'));
  ::DeleteFileW((dir / L"out").c_str());
  EXPECT_TRUE(IsSystemError(Concat(dir / L"out", {dir / L"a", dir / L"missing"}), ERROR_FILE_NOT_FOUND,
                            (dir / L"missing") + L": "));
  EXPECT_FALSE(Exists(dir / L"out")) << "no destination unless every source opens";
  EXPECT_TRUE(IsSystemError(Concat(dir / L"a", {dir / L"a", dir / L"a"}), ERROR_SHARING_VIOLATION, dir / L"a: "));
  EXPECT_EQ(ReadBytes(dir / L"a"), "aaa") << "a source is not truncated as the destination";

  // A read that fails part way (a pipe whose writer leaves) is reported, not taken as the end.
  const std::wstring pipe = L"\\\\.\\pipe\\docket-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND, 0, 1, 64, 64, 0, nullptr);
  std::thread writer([server] {
    DWORD written = 0;
    ::ConnectNamedPipe(server, nullptr);
    ::WriteFile(server, "ppp", 3, &written, nullptr);
    ::FlushFileBuffers(server);
    ::CloseHandle(server);
  });
  const HRESULT hr = Concat(dir / L"out", {dir / L"a", pipe});
  writer.join();
  EXPECT_TRUE(IsSystemError(hr, ERROR_BROKEN_PIPE, pipe + L": "));
  EXPECT_EQ(ReadBytes(dir / L"out").substr(0, 3), "aaa") << "what was written stays";
}

// Without a move-with-replace (Windows 95 family) a move copies, then deletes: run as Windows 98.
using NonNtPlatform = ManagerTest;

TEST_F(NonNtPlatform, MoveCopiesThenDeletesAndKeepsTheCopyWhenDeletionFails) {
  if (ChildVersion() != L"win98") GTEST_SKIP() << "runs inside NonNtMove.RunsTheCasesOnWindows98";
  OSVERSIONINFOA version{sizeof version};
  ASSERT_TRUE(::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
  WriteBytes(dir / L"a.txt", "new");
  WriteBytes(dir / L"b.txt", "old");
  ComPtr<IFile> file = FileAt(dir / L"a.txt");
  EXPECT_TRUE(IsSystemError(file->Move(Bstr(L"b.txt").get(), VARIANT_FALSE), ERROR_FILE_EXISTS))
      << "the copy's error, not the NT move's";
  EXPECT_EQ(file->Move(Bstr(L"b.txt").get(), VARIANT_TRUE), S_OK);
  EXPECT_TRUE(ReadBytes(dir / L"b.txt") == "new" && !Exists(dir / L"a.txt"));
  ::SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsSystemError(manager->MoveFile(Bstr(dir / L"b.txt").get(), Bstr(dir / L"c.txt").get(), VARIANT_TRUE),
                            ERROR_ACCESS_DENIED));
  EXPECT_TRUE(Exists(dir / L"b.txt") && ReadBytes(dir / L"c.txt") == "new");
}

TEST(NonNtMove, RunsTheCasesOnWindows98) {
  EXPECT_EQ(RunCasesAsVersion(L"win98", L"NonNtPlatform.*"), 0) << "the child's cases failed (or it did not start)";
}

// The policy is read at load: a fresh copy of the module. Names start with "Policy": they run alone.
TEST(PolicyDisableDelete, RefusesBeforeAnythingOnDiskIsLookedAt) {
  ScratchDir dir;
  PolicyKey key;
  key.SetDword(L"DisableDelete", 1);
  auto module = LoadedModule::LoadCopy(dir.path());
  ComPtr<IFileManager> manager = NewManager(*module);
  MakeDirs(dir, {L"kept"});
  const std::wstring readOnly = dir / L"ro.txt";
  WriteBytes(readOnly, "x");
  ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  ASSERT_TRUE(GetFileOf(manager.get(), readOnly, &file) == S_OK &&
              GetFolderOf(manager.get(), dir / L"kept", &folder) == S_OK);
  for (const std::wstring& path : {readOnly, dir / L"kept", dir / L"gone", std::wstring(300, L'p'), std::wstring()}) {
    EXPECT_TRUE(IsReported(manager->DeleteFile(Bstr(path).get(), VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
    EXPECT_TRUE(IsReported(manager->DeleteFolder(Bstr(path).get(), VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  }
  EXPECT_TRUE(IsReported(folder->Delete(VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  EXPECT_TRUE(::GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY) << "nothing forced";
  EXPECT_EQ(folder->Copy(Bstr(dir / L"copied").get(), VARIANT_TRUE), S_OK) << "only deletion is off";
  EXPECT_TRUE(Exists(dir / L"kept"));
  ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(readOnly.c_str());
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_FALSE), E_ACCESSDENIED, kPolicyRefusal)) << "file gone";
}

}  // namespace
}  // namespace docket::test
