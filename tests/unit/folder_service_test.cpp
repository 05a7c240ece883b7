// The service's folder methods: GetFolder, GetSpecialFolder, CreateFolder and the fronts that
// hand the work to a Folder (DeleteFolder, MoveFolder, CopyFolder), with the deletion policy.
#include "support/folder_test_support.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>


namespace docket::test {
namespace {

const wchar_t kPolicyText[] =
    L"This option has been disabled in the registry please see your administrator for more "
    L"information.";

class FolderServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { manager_ = NewManager(); }
  ComPtr<IFileManager> manager_;
  ScratchDir scratch_;
};

// --- GetFolder and GetSpecialFolder ----------------------------------------------------------------

TEST_F(FolderServiceTest, GetFolderOfAFileFailsAsAScriptSeesIt) {
  WriteBytes(scratch_ / L"file.txt", "x");
  Variant result;
  const CallResult call = CallByName(manager_.get(), L"GetFolder", DISPATCH_METHOD,
                                     {VBstr((scratch_ / L"file.txt").c_str())}, result.get());
  EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.description, L"Argument must be a directory.");
  EXPECT_EQ(call.source, L"Docket.Folder.1");
  EXPECT_EQ(manager_->GetFolder(Bstr(scratch_.path()).get(), nullptr), E_POINTER);
}

TEST_F(FolderServiceTest, SpecialFoldersAreTheSystemsOwn) {
  wchar_t windows[MAX_PATH], system[MAX_PATH], temp[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  ::GetSystemDirectoryW(system, MAX_PATH);
  std::wstring temporary(temp, ::GetTempPathW(MAX_PATH, temp));
  ASSERT_EQ(temporary.back(), L'\\');
  temporary.pop_back();  // the folder comes without the closing backslash
  const struct {
    SpecialFolderConst which;
    std::wstring path;
  } cases[] = {{WindowsFolder, windows}, {SystemFolder, system}, {TemporaryFolder, temporary}};
  for (const auto& c : cases) {
    ComPtr<IFolder> folder;
    ASSERT_EQ(manager_->GetSpecialFolder(c.which, folder.put()), S_OK) << c.which;
    EXPECT_EQ(PathOf(folder.get()), c.path) << c.which;
  }
}

TEST_F(FolderServiceTest, UnknownSpecialFoldersAreInvalidArguments) {
  for (int which : {3, -1, 0x7FFFFFFF}) {
    IFolder* folder = reinterpret_cast<IFolder*>(1);
    EXPECT_EQ(Failed(manager_->GetSpecialFolder(static_cast<SpecialFolderConst>(which), &folder)),
              (Failure{E_INVALIDARG, L"Invalid argument"}))
        << which;
    EXPECT_EQ(folder, nullptr);
  }
}

// --- CreateFolder ----------------------------------------------------------------------------------

TEST_F(FolderServiceTest, CreateFolderMakesEveryMissingLevel) {
  const std::wstring path = scratch_ / L"x\\y\\z\\";
  ComPtr<IFolder> folder;
  ASSERT_EQ(manager_->CreateFolder(Bstr(path).get(), folder.put()), S_OK);
  EXPECT_TRUE(Exists(scratch_ / L"x\\y\\z"));
  ASSERT_TRUE(folder);
  EXPECT_EQ(PathOf(folder.get()), path) << "the path as the caller wrote it";
  EXPECT_EQ(NameOf(folder.get()), L"");
}

TEST_F(FolderServiceTest, CreateFolderAcceptsForwardSlashesBetweenLevels) {
  ComPtr<IFolder> folder;
  ASSERT_EQ(manager_->CreateFolder(Bstr(scratch_ / L"p/q/r").get(), folder.put()), S_OK);
  EXPECT_TRUE(Exists(scratch_ / L"p\\q\\r"));
  EXPECT_EQ(PathOf(folder.get()), scratch_ / L"p\\q\\r");
}

TEST_F(FolderServiceTest, CreateFolderOfAnExistingFolderFails) {
  MakeDir(scratch_ / L"there");
  ComPtr<IFolder> folder;
  EXPECT_EQ(Failed(manager_->CreateFolder(Bstr(scratch_ / L"there").get(), folder.put())),
            SystemFailure(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(folder);
}

TEST_F(FolderServiceTest, CreateFolderWhereNoFolderCanBeMadeReportsThePlatformsReason) {
  WriteBytes(scratch_ / L"file.txt", "x");
  const std::wstring cases[] = {
      scratch_ / L"file.txt\\sub\\deeper",  // a file where a parent should be
      L"Q:\\no\\such\\drive",
      scratch_ / L"bad<name>\\sub",
  };
  for (const std::wstring& path : cases) {
    ComPtr<IFolder> folder;
    const HRESULT hr = manager_->CreateFolder(Bstr(path).get(), folder.put());
    EXPECT_EQ(HRESULT_FACILITY(hr), FACILITY_WIN32) << std::string(path.begin(), path.end());
    EXPECT_NE(hr, Win32Code(ERROR_ALREADY_EXISTS)) << "the reason is not an existing parent";
    EXPECT_EQ(Failed(hr), SystemFailure(HRESULT_CODE(hr)));
  }
  EXPECT_EQ(ReadBytes(scratch_ / L"file.txt"), "x");
  EXPECT_EQ(manager_->CreateFolder(Bstr(scratch_ / L"unmade").get(), nullptr), E_POINTER);
  EXPECT_FALSE(Exists(scratch_ / L"unmade")) << "a missing out-parameter is refused first";
  ComPtr<IFolder> folder;
  EXPECT_EQ(Failed(manager_->CreateFolder(Bstr(scratch_ / std::wstring(260, L'n')).get(), folder.put())),
            SystemFailure(ERROR_FILENAME_EXCED_RANGE));
}

// --- the fronts ------------------------------------------------------------------------------------

TEST_F(FolderServiceTest, DeleteMoveAndCopyFolderWorkOnTheFolderTheyName) {
  MakeDir(scratch_ / L"tree");
  MakeDir(scratch_ / L"tree\\sub");
  WriteBytes(scratch_ / L"tree\\sub\\a.txt", "a");

  ASSERT_EQ(manager_->CopyFolder(Bstr(scratch_ / L"tree").get(), Bstr(scratch_ / L"copy").get(),
                                 VARIANT_FALSE),
            S_OK);
  EXPECT_EQ(ReadBytes(scratch_ / L"copy\\sub\\a.txt"), "a");
  ASSERT_EQ(manager_->MoveFolder(Bstr(scratch_ / L"copy").get(), Bstr(scratch_ / L"moved").get()),
            S_OK);
  EXPECT_EQ(ReadBytes(scratch_ / L"moved\\sub\\a.txt"), "a");
  EXPECT_FALSE(Exists(scratch_ / L"copy"));
  ASSERT_EQ(manager_->DeleteFolder(Bstr(scratch_ / L"moved").get(), VARIANT_FALSE), S_OK);
  EXPECT_FALSE(Exists(scratch_ / L"moved"));
  EXPECT_TRUE(Exists(scratch_ / L"tree\\sub\\a.txt"));
}

TEST_F(FolderServiceTest, FrontsPassTheFoldersOwnFailuresThrough) {
  MakeDir(scratch_ / L"tree");
  MakeDir(scratch_ / L"other");
  WriteBytes(scratch_ / L"file.txt", "x");
  const std::wstring missing = scratch_ / L"missing";
  EXPECT_EQ(Failed(manager_->DeleteFolder(Bstr(missing).get(), VARIANT_TRUE)),
            SystemFailure(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Failed(manager_->MoveFolder(Bstr(scratch_ / L"file.txt").get(), Bstr(missing).get())),
            MessageFailure(L"Argument must be a directory."));
  EXPECT_EQ(Failed(manager_->MoveFolder(Bstr(scratch_ / L"tree").get(),
                                        Bstr(scratch_ / L"other").get())),
            MessageFailure(L"Destination file already exists."));

  // As a script calls it, with the Folder as the error's source.
  const CallResult call = CallByName(
      manager_.get(), L"CopyFolder", DISPATCH_METHOD,
      {VBstr((scratch_ / L"tree").c_str()), VBstr((scratch_ / L"other").c_str()), VBool(false)});
  EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.description, L"Destination directory already exists.");
  EXPECT_EQ(call.source, L"Docket.Folder.1");
}

TEST_F(FolderServiceTest, CopyFolderOverwritesUnlessToldOtherwise) {
  MakeDir(scratch_ / L"tree");
  MakeDir(scratch_ / L"other");
  WriteBytes(scratch_ / L"tree\\a.txt", "new");
  WriteBytes(scratch_ / L"other\\a.txt", "old");
  const CallResult call =
      CallByName(manager_.get(), L"CopyFolder", DISPATCH_METHOD,
                 {VBstr((scratch_ / L"tree").c_str()), VBstr((scratch_ / L"other").c_str())});
  EXPECT_EQ(call.hr, S_OK);
  EXPECT_EQ(ReadBytes(scratch_ / L"other\\a.txt"), "new");
}

// --- the deletion policy ---------------------------------------------------------------------------

// The policy is read once, when a module is loaded: each test loads a fresh copy after setting up
// the machine-wide key, and its name starts with "Policy" so that the test run executes it alone.
TEST(PolicyFolderDeletion, DisableDeleteRefusesFolderDeletionBeforeAnythingIsLookedAt) {
  ScratchDir scratch;
  MakeDir(scratch / L"kept");
  WriteBytes(scratch / L"kept\\a.txt", "a");
  PolicyKey key;
  key.SetDword(L"DisableDelete", 1);
  auto module = LoadedModule::LoadCopy(scratch.path());
  {
    ComPtr<IFileManager> manager = NewManager(*module);
    for (const std::wstring& path : {scratch / L"kept", scratch / L"missing", std::wstring()}) {
      EXPECT_EQ(Failed(manager->DeleteFolder(Bstr(path).get(), VARIANT_TRUE)),
                (Failure{E_ACCESSDENIED, kPolicyText}));
    }
    ComPtr<IFolder> folder;
    ASSERT_EQ(GetFolder(manager.get(), scratch / L"kept", &folder), S_OK);
    EXPECT_EQ(Failed(folder->Delete(VARIANT_TRUE)), (Failure{E_ACCESSDENIED, kPolicyText}));
    // Only deletion is switched off.
    EXPECT_EQ(folder->Copy(Bstr(scratch / L"copied").get(), VARIANT_TRUE), S_OK);
  }
  EXPECT_EQ(ReadBytes(scratch / L"kept\\a.txt"), "a");
  EXPECT_EQ(ReadBytes(scratch / L"copied\\a.txt"), "a");
}

}  // namespace
}  // namespace docket::test
