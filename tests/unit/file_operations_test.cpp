// The service's file operations by path: existence, create, copy, move, wildcard deletion and
// concatenation, with the exact messages a page author sees.
#include "file_test_support.h"

#include <thread>

namespace docket::test {
namespace {

struct FileOperations : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();

  HRESULT DeleteFile(const std::wstring& spec, bool force) {
    const Bstr text(spec);
    return manager->DeleteFile(text.get(), force ? VARIANT_TRUE : VARIANT_FALSE);
  }
  HRESULT Concat(const std::wstring& dest, std::initializer_list<std::wstring> sources) {
    std::vector<Bstr> names;
    for (const std::wstring& s : sources) names.emplace_back(s);
    while (names.size() < 5) names.emplace_back(L"");
    const Bstr target(dest);
    return manager->ConcatFiles(target.get(), names[0].get(), names[1].get(), names[2].get(),
                                names[3].get(), names[4].get());
  }
};

TEST_F(FileOperations, ExistenceTellsFilesFromFoldersAndNeverFails) {
  WriteBytes(dir / L"a.txt", "");
  struct Case {
    std::wstring path;
    VARIANT_BOOL file, folder;
  } cases[] = {{dir / L"a.txt", VARIANT_TRUE, VARIANT_FALSE},
               {dir.path(), VARIANT_FALSE, VARIANT_TRUE},
               {dir / L"missing", VARIANT_FALSE, VARIANT_FALSE},
               {dir / L"a.txt\\below", VARIANT_FALSE, VARIANT_FALSE},
               {dir / L"bad|name", VARIANT_FALSE, VARIANT_FALSE},
               {dir / L"*.txt", VARIANT_FALSE, VARIANT_FALSE}};
  for (const Case& c : cases) {
    const Bstr path(c.path);
    VARIANT_BOOL file = 7, folder = 7;
    EXPECT_EQ(manager->FileExists(path.get(), &file), S_OK) << c.path;
    EXPECT_EQ(manager->FolderExists(path.get(), &folder), S_OK) << c.path;
    EXPECT_EQ(file, c.file) << c.path;
    EXPECT_EQ(folder, c.folder) << c.path;
  }
  const Bstr tooLong(std::wstring(300, L'a'));
  VARIANT_BOOL answer = 7;
  EXPECT_TRUE(IsSystemError(manager->FileExists(tooLong.get(), &answer), ERROR_FILENAME_EXCED_RANGE))
      << "refused, not looked up cut short";
}

TEST_F(FileOperations, CreateFileOverwritesOnlyWhenAsked) {
  const Bstr path(dir / L"a.txt");
  EXPECT_EQ(manager->CreateFile(path.get(), VARIANT_FALSE), S_OK);
  EXPECT_TRUE(Exists(dir / L"a.txt"));
  WriteBytes(dir / L"a.txt", "keep");
  EXPECT_TRUE(IsSystemError(manager->CreateFile(path.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadBytes(dir / L"a.txt"), "keep");
  EXPECT_EQ(manager->CreateFile(path.get(), VARIANT_TRUE), S_OK);
  EXPECT_TRUE(Exists(dir / L"a.txt"));
  EXPECT_EQ(ReadBytes(dir / L"a.txt"), "") << "truncated to nothing";
  const Bstr nowhere(dir / L"no\\a.txt");
  EXPECT_TRUE(IsSystemError(manager->CreateFile(nowhere.get(), VARIANT_TRUE), ERROR_PATH_NOT_FOUND));
}

TEST_F(FileOperations, CreateFileDoesNotOverwriteAReadOnlyFile) {
  WriteBytes(dir / L"ro.txt", "keep");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE probe = ::CreateFileW((dir / L"ro.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    ::CloseHandle(probe);
    GTEST_SKIP() << "not reachable here: running as root, Wine opens read-only files for writing";
  }
  const Bstr path(dir / L"ro.txt");
  EXPECT_TRUE(IsSystemError(manager->CreateFile(path.get(), VARIANT_TRUE), ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadBytes(dir / L"ro.txt"), "keep");
}

TEST_F(FileOperations, CreateUniqueFileUsesThreeCharactersOfThePrefix) {
  const Bstr folder(dir.path()), prefix(L"abcdef");
  Bstr created;
  ASSERT_EQ(manager->CreateUniqueFile(folder.get(), prefix.get(), created.put()), S_OK);
  const std::wstring path(created.view());
  EXPECT_EQ(path.substr(0, dir.path().size() + 4), dir.path() + L"\\abc") << path;
  EXPECT_NE(path.substr(dir.path().size() + 4, 1), L"d") << path;
  EXPECT_EQ(::CompareStringOrdinal(path.c_str() + path.size() - 4, 4, L".TMP", 4, TRUE), CSTR_EQUAL);
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(ReadBytes(path), "");

  const Bstr missing(dir / L"missing");
  const HRESULT hr = manager->CreateUniqueFile(missing.get(), prefix.get(), created.put());
  EXPECT_TRUE(IsSystemError(hr, hr & 0xFFFF)) << "the platform's own error and text";
}

TEST_F(FileOperations, CopyAndMoveRefuseAnExistingTargetUnlessOverwriting) {
  WriteBytes(dir / L"a.txt", "new");
  WriteBytes(dir / L"b.txt", "old");
  const Bstr a(dir / L"a.txt"), b(dir / L"b.txt");
  EXPECT_TRUE(IsSystemError(manager->CopyFile(a.get(), b.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "old");
  EXPECT_TRUE(
      IsSystemError(manager->MoveFile(a.get(), b.get(), VARIANT_FALSE), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(ReadBytes(dir / L"a.txt"), "new");
  EXPECT_EQ(manager->CopyFile(a.get(), b.get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "new");
  WriteBytes(dir / L"b.txt", "old");
  EXPECT_EQ(manager->MoveFile(a.get(), b.get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "new");
  EXPECT_FALSE(Exists(dir / L"a.txt"));
}

TEST_F(FileOperations, DeleteFileByWildcardSkipsFolders) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.dat"}) WriteBytes(dir / name, "");
  ::CreateDirectoryW((dir / L"d.txt").c_str(), nullptr);
  EXPECT_EQ(DeleteFile(dir / L"*.txt", false), S_OK);
  EXPECT_FALSE(Exists(dir / L"a.txt"));
  EXPECT_FALSE(Exists(dir / L"b.txt"));
  EXPECT_TRUE(Exists(dir / L"c.dat"));
  EXPECT_TRUE(Exists(dir / L"d.txt")) << "a folder that matches is left alone";
  EXPECT_EQ(DeleteFile(dir / L"d.*", false), S_OK) << "only folders match: nothing to do";
}

TEST_F(FileOperations, DeleteFileMessagesNameWhatWasNotFound) {
  const std::wstring missing = dir / L"missing*.txt";
  EXPECT_TRUE(IsMessage(DeleteFile(missing, false), missing + L" could not be found"));
  // Through dispatch the message reaches the script as the exception's description.
  ComPtr<IDispatch> script;
  ASSERT_EQ(manager.As(&script), S_OK);
  const CallResult call =
      CallByName(script.get(), L"DeleteFile", DISPATCH_METHOD, {VBstr(missing.c_str())});
  EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.description, missing + L" could not be found");
  // Any other search failure carries the system's text whole, line end and all.
  EXPECT_TRUE(IsMessage(DeleteFile(dir / L"no\\*.txt", false),
                        WholeSystemText(ERROR_PATH_NOT_FOUND)));
}

TEST_F(FileOperations, DeleteFileStopsAtAReadOnlyFileUnlessForced) {
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteBytes(dir / name, "");
  ::SetFileAttributesW((dir / L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsMessage(DeleteFile(dir / L"*.txt", false),
                        L"File: " + (dir / L"b.txt") + L"\nError: " +
                            WholeSystemText(ERROR_ACCESS_DENIED)));
  EXPECT_FALSE(Exists(dir / L"a.txt")) << "deleted before the failure, and stays so";
  EXPECT_TRUE(Exists(dir / L"b.txt"));
  EXPECT_TRUE(Exists(dir / L"c.txt")) << "the run ends at the failure";
  EXPECT_EQ(DeleteFile(dir / L"*.txt", true), S_OK);
  EXPECT_FALSE(Exists(dir / L"b.txt"));
  EXPECT_FALSE(Exists(dir / L"c.txt"));
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

TEST_F(FileOperations, ConcatFilesFailuresNameTheFileAndLeaveNoHalfDestination) {
  WriteBytes(dir / L"a", "aaa");
  EXPECT_TRUE(IsSystemError(Concat(dir / L"out", {dir / L"a", dir / L"missing"}),
                            ERROR_FILE_NOT_FOUND, (dir / L"missing") + L": "));
  EXPECT_FALSE(Exists(dir / L"out")) << "no destination when a source cannot be opened";
  // The destination among the sources cannot be truncated under them: it stays as it was.
  EXPECT_TRUE(IsSystemError(Concat(dir / L"a", {dir / L"a", dir / L"a"}), ERROR_SHARING_VIOLATION,
                            (dir / L"a") + L": "));
  EXPECT_EQ(ReadBytes(dir / L"a"), "aaa");
}

TEST_F(FileOperations, ConcatFilesReportsAFailedReadInsteadOfDroppingTheRest) {
  WriteBytes(dir / L"a", "aaa");
  // A source whose reads fail part way: a pipe whose writer goes away after a few bytes.
  const std::wstring pipe = L"\\\\.\\pipe\\docket-concat-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 4096,
                                     4096, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  std::thread writer([server] {
    ::ConnectNamedPipe(server, nullptr);
    DWORD written = 0;
    ::WriteFile(server, "ppp", 3, &written, nullptr);
    ::FlushFileBuffers(server);
    ::CloseHandle(server);
  });
  const HRESULT hr = Concat(dir / L"out", {dir / L"a", pipe});
  writer.join();
  EXPECT_TRUE(IsSystemError(hr, ERROR_BROKEN_PIPE, pipe + L": "));
  EXPECT_EQ(ReadBytes(dir / L"out").substr(0, 3), "aaa") << "what was written before stays";
}

}  // namespace
}  // namespace docket::test
