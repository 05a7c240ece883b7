// The service's folder methods: GetSpecialFolder, CreateFolder, and the fronts that hand the work
// to a Folder (GetFolder, DeleteFolder, MoveFolder, CopyFolder).
#include "folder_test_support.h"

namespace docket::test {
namespace {

struct FolderServiceTest : ManagerTest {
  HRESULT Create(const std::wstring& path, ComPtr<IFolder>* folder) {
    return manager->CreateFolder(Bstr(path).get(), folder->put());
  }
};

TEST_F(FolderServiceTest, SpecialFoldersAreTheSystemsOwn) {
  wchar_t windows[MAX_PATH], system[MAX_PATH], temp[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring temporary(temp, ::GetTempPathW(MAX_PATH, temp) - 1);  // no closing "\"
  const std::pair<SpecialFolderConst, std::wstring> cases[] = {
      {WindowsFolder, windows}, {SystemFolder, system}, {TemporaryFolder, temporary}};
  for (const auto& [which, path] : cases) {
    ComPtr<IFolder> folder;
    ASSERT_EQ(manager->GetSpecialFolder(which, folder.put()), S_OK) << which;
    EXPECT_EQ(PathOf(folder.get()), path);
  }
  IFolder* folder = reinterpret_cast<IFolder*>(1);
  EXPECT_TRUE(IsReported(manager->GetSpecialFolder(static_cast<SpecialFolderConst>(3), &folder),
                         E_INVALIDARG, L"Invalid argument"));
  EXPECT_EQ(folder, nullptr);
}

TEST_F(FolderServiceTest, CreateFolderMakesEveryMissingLevel) {
  ComPtr<IFolder> folder;
  ASSERT_EQ(Create(dir / L"x\\y\\z\\", &folder), S_OK);
  EXPECT_EQ(PathOf(folder.get()), dir / L"x\\y\\z\\") << "the path as the caller wrote it";
  ASSERT_EQ(Create(dir / L"p/q/r", &folder), S_OK);
  EXPECT_TRUE(Exists(dir / L"p\\q\\r")) << "forward slashes separate levels too";
  EXPECT_TRUE(IsSystemError(Create(dir / L"x\\y", &folder), ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(folder);
}

TEST_F(FolderServiceTest, CreateFolderWhereNoneCanBeMadeGivesThePlatformsReason) {
  WriteBytes(dir / L"file.txt", "x");
  ComPtr<IFolder> folder;
  for (const std::wstring& path :
       {dir / L"file.txt\\sub\\deeper", std::wstring(L"Q:\\no\\such\\drive"), dir / L"bad<name>\\sub"}) {
    const HRESULT hr = Create(path, &folder);
    EXPECT_NE(hr, Win32Code(ERROR_ALREADY_EXISTS)) << "not the parent that is there already";
    EXPECT_TRUE(IsSystemError(hr, HRESULT_CODE(hr)));
  }
  EXPECT_EQ(manager->CreateFolder(Bstr(dir / L"unmade").get(), nullptr), E_POINTER);
  EXPECT_FALSE(Exists(dir / L"unmade"));
}

TEST_F(FolderServiceTest, FrontsWorkThroughAFolderAndPassItsFailuresOn) {
  MakeDirs(dir, {L"tree", L"other"});
  WriteBytes(dir / L"tree\\a.txt", "new");
  WriteBytes(dir / L"other\\a.txt", "old");
  // As a script calls them: the Folder is the source of what it reports.
  const CallResult refused = CallByName(manager.get(), L"CopyFolder", DISPATCH_METHOD,
      {VBstr((dir / L"tree").c_str()), VBstr((dir / L"other").c_str()), VBool(false)});
  EXPECT_EQ(refused.description, L"Destination directory already exists.");
  EXPECT_EQ(refused.source, L"Docket.Folder.1");
  EXPECT_EQ(CallByName(manager.get(), L"CopyFolder", DISPATCH_METHOD,
                       {VBstr((dir / L"tree").c_str()), VBstr((dir / L"other").c_str())}).hr,
            S_OK);
  EXPECT_EQ(ReadBytes(dir / L"other\\a.txt"), "new") << "overwriting unless told otherwise";

  const Bstr other(dir / L"other"), moved(dir / L"moved"), file(dir / L"tree\\a.txt");
  ASSERT_EQ(manager->MoveFolder(other.get(), moved.get()), S_OK);
  EXPECT_TRUE(IsReported(manager->MoveFolder(file.get(), other.get()), DISP_E_EXCEPTION,
                         L"Argument must be a directory."));
  ASSERT_EQ(manager->DeleteFolder(moved.get(), VARIANT_FALSE), S_OK);
  EXPECT_FALSE(Exists(dir / L"moved"));
  EXPECT_TRUE(IsSystemError(manager->DeleteFolder(moved.get(), VARIANT_FALSE), ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace docket::test
