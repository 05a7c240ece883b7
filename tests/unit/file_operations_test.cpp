// The service's file operations by path, with the exact messages a page author sees.
#include "file_test_support.h"

#include <thread>

namespace docket::test {
namespace {

struct FileOperations : ManagerTest {
  HRESULT DeleteFile(const std::wstring& spec, VARIANT_BOOL force) {
    return manager->DeleteFile(Bstr(spec).get(), force);
  }
  HRESULT Concat(const std::wstring& dest, std::vector<std::wstring> sources) {
    sources.resize(5);
    return manager->ConcatFiles(Bstr(dest).get(), Bstr(sources[0]).get(), Bstr(sources[1]).get(),
                                Bstr(sources[2]).get(), Bstr(sources[3]).get(),
                                Bstr(sources[4]).get());
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
TEST_F(FileOperations, CreateFileOverwritesOnlyWhenAsked) {
  const std::wstring name = dir / L"caf\u00E9 \u20AC.txt";
  const Bstr path(name);
  WriteBytes(name, "keep");
  EXPECT_TRUE(IsSystemError(manager->CreateFile(path.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadBytes(name), "keep");
  EXPECT_EQ(manager->CreateFile(path.get(), VARIANT_TRUE), S_OK);
  EXPECT_TRUE(Exists(name));
  EXPECT_EQ(ReadBytes(name), "");

  ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE probe = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    ::CloseHandle(probe);
    GTEST_SKIP() << "read-only case not reachable here: as root, Wine writes read-only files";
  }
  EXPECT_TRUE(IsSystemError(manager->CreateFile(path.get(), VARIANT_TRUE), ERROR_ACCESS_DENIED));
}

TEST_F(FileOperations, CopyAndMoveReplaceAnExistingTargetOnlyWhenAsked) {
  WriteBytes(dir / L"a.txt", "new");
  WriteBytes(dir / L"b.txt", "old");
  const Bstr a(dir / L"a.txt"), b(dir / L"b.txt");
  EXPECT_TRUE(IsSystemError(manager->CopyFile(a.get(), b.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  // The NT family's move refuses with its own error.
  EXPECT_TRUE(
      IsSystemError(manager->MoveFile(a.get(), b.get(), VARIANT_FALSE), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "old");
  EXPECT_EQ(manager->MoveFile(a.get(), b.get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "new");
  EXPECT_FALSE(Exists(dir / L"a.txt"));
}

TEST_F(FileOperations, DeleteFileByWildcardSkipsFoldersAndStopsAtAFileItCannotDelete) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.dat"}) WriteBytes(dir / name, "");
  ::CreateDirectoryW((dir / L"e.txt").c_str(), nullptr);
  ::SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsReported(DeleteFile(dir / L"*.txt", VARIANT_FALSE), DISP_E_EXCEPTION,
                         L"File: " + (dir / L"b.txt") + L"\nError: " +
                             WholeSystemText(ERROR_ACCESS_DENIED)));
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
  EXPECT_TRUE(IsSystemError(Concat(dir / L"out", {dir / L"a", dir / L"missing"}),
                            ERROR_FILE_NOT_FOUND, (dir / L"missing") + L": "));
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

}  // namespace
}  // namespace docket::test
