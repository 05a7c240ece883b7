// The service's file operations by path, with the exact messages a page author sees; moves where
// the platform has none with replace; the administrator's switch that turns deletion off.
#include "folder_test_support.h"
#include "support/registry_sandbox.h"
#include "support/version_child.h"

#include <thread>

namespace docket::test {
namespace {

// The system's text for an error, line end included.
std::wstring WholeSystemText(DWORD error) {
  wchar_t text[512] = {};
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0x400, text, 512, nullptr);
  return text;
}

struct FileOperations : ManagerTest {
  HRESULT DeleteFile(const std::wstring& spec, VARIANT_BOOL force) {
    return manager->DeleteFile(Bstr(spec).get(), force);
  }
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
    EXPECT_EQ(manager->FileExists(Bstr(path).get(), &file), S_OK);
    EXPECT_EQ(manager->FolderExists(Bstr(path).get(), &folder), S_OK);
    EXPECT_EQ(file, path == dir / L"a.txt" ? VARIANT_TRUE : VARIANT_FALSE) << path;
    EXPECT_EQ(folder, path == dir.path() ? VARIANT_TRUE : VARIANT_FALSE) << path;
  }
}

// The name is written in the system code page (1252 here): it reaches exactly the file it names.
TEST_F(FileOperations, CreateCopyAndMoveReplaceAnExistingFileOnlyWhenAsked) {
  const std::wstring a = dir / L"caf\u00E9 \u20AC.txt", b = dir / L"b.txt";
  WriteBytes(a, "new");
  WriteBytes(b, "old");
  EXPECT_TRUE(IsSystemError(manager->CreateFile(Bstr(b).get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  EXPECT_TRUE(IsSystemError(manager->CopyFile(Bstr(a).get(), Bstr(b).get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  // The NT family's move refuses with its own error.
  EXPECT_TRUE(IsSystemError(manager->MoveFile(Bstr(a).get(), Bstr(b).get(), VARIANT_FALSE), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(ReadBytes(b), "old");
  EXPECT_EQ(manager->MoveFile(Bstr(a).get(), Bstr(b).get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(b), "new");
  EXPECT_FALSE(Exists(a));
  EXPECT_EQ(manager->CreateFile(Bstr(a).get(), VARIANT_FALSE), S_OK);
  EXPECT_EQ(manager->CreateFile(Bstr(b).get(), VARIANT_TRUE), S_OK);
  EXPECT_TRUE(Exists(a) && ReadBytes(b).empty());
}

TEST_F(FileOperations, DeleteFileByWildcardSkipsFoldersAndStopsAtAFileItCannotDelete) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.dat"}) WriteBytes(dir / name, "");
  ::CreateDirectoryW((dir / L"e.txt").c_str(), nullptr);
  ::SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsReported(DeleteFile(dir / L"*.txt", VARIANT_FALSE), DISP_E_EXCEPTION,
                         L"File: " + (dir / L"b.txt") + L"\nError: " + WholeSystemText(ERROR_ACCESS_DENIED)));
  EXPECT_FALSE(Exists(dir / L"a.txt")) << "deleted before the failure, and stays so";
  EXPECT_TRUE(Exists(dir / L"c.txt")) << "not reached";
  EXPECT_EQ(DeleteFile(dir / L"*.txt", VARIANT_TRUE), S_OK);
  EXPECT_FALSE(Exists(dir / L"b.txt"));
  EXPECT_TRUE(Exists(dir / L"d.dat"));
  EXPECT_TRUE(Exists(dir / L"e.txt")) << "a folder that matches is left alone";
  EXPECT_EQ(DeleteFile(dir / L"e.*", VARIANT_FALSE), S_OK) << "only a folder matches";
}

TEST_F(FileOperations, ConcatFilesJoinsEveryGivenSourceInOrder) {
  WriteBytes(dir / L"empty", "");
  WriteBytes(dir / L"big", std::string(5000, 'b'));
  WriteBytes(dir / L"tail", "xyz");
  WriteBytes(dir / L"out", "previous content, longer than what is written");
  EXPECT_EQ(Concat(dir / L"out", {dir / L"empty", dir / L"big", dir / L"tail"}), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"out"), std::string(5000, 'b') + "xyz");
  // A gap in the optional sources does not end the list.
  EXPECT_EQ(Concat(dir / L"out", {dir / L"tail", dir / L"tail", L"", dir / L"big"}), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"out"), "xyzxyz" + std::string(5000, 'b'));
}

TEST_F(FileOperations, ConcatFilesFailuresNameTheFile) {
  WriteBytes(dir / L"a", "aaa");
  EXPECT_TRUE(IsSystemError(Concat(dir / L"out", {dir / L"a", dir / L"missing"}), ERROR_FILE_NOT_FOUND,
                            (dir / L"missing") + L": "));
  EXPECT_FALSE(Exists(dir / L"out")) << "no destination unless every source opens";
  EXPECT_TRUE(IsSystemError(Concat(dir / L"a", {dir / L"a", dir / L"a"}), ERROR_SHARING_VIOLATION,
                            (dir / L"a") + L": "));
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

// Moving files where the platform has no move-with-replace (the Windows 95 family): a copy, then
// deletion of the source, run in a copy of this test program that sees Windows 98.
struct NonNtPlatform : ManagerTest {
  void SetUp() override {
    if (ChildVersion() != L"win98") GTEST_SKIP() << "runs inside NonNtMove.RunsTheCasesOnWindows98";
    OSVERSIONINFOA version{sizeof version};
    ASSERT_TRUE(::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
  }
};

TEST_F(NonNtPlatform, MoveCopiesThenDeletesAndKeepsTheCopyWhenDeletionFails) {
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
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  ASSERT_TRUE(GetFileOf(manager.get(), dir / L"ro.txt", &file) == S_OK &&
              GetFolderOf(manager.get(), dir / L"kept", &folder) == S_OK);
  for (const std::wstring& path : {dir / L"ro.txt", dir / L"kept", dir / L"missing", std::wstring(300, L'p'),
                                   std::wstring()}) {
    EXPECT_TRUE(IsReported(manager->DeleteFile(Bstr(path).get(), VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
    EXPECT_TRUE(IsReported(manager->DeleteFolder(Bstr(path).get(), VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  }
  EXPECT_TRUE(IsReported(folder->Delete(VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_TRUE), E_ACCESSDENIED, kPolicyRefusal));
  EXPECT_TRUE(::GetFileAttributesW((dir / L"ro.txt").c_str()) & FILE_ATTRIBUTE_READONLY) << "nothing forced";
  EXPECT_EQ(folder->Copy(Bstr(dir / L"copied").get(), VARIANT_TRUE), S_OK) << "only deletion is off";
  EXPECT_TRUE(Exists(dir / L"kept"));
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW((dir / L"ro.txt").c_str());
  EXPECT_TRUE(IsReported(file->Delete(VARIANT_FALSE), E_ACCESSDENIED, kPolicyRefusal)) << "file gone";
}

}  // namespace
}  // namespace docket::test
