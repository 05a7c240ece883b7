// Drive, Drives and the service's drive members, on the drives of the test prefix (C: and Z:;
// the other drive kinds and shares are mapped in a prefix of their own: tests/drives).
#include "folder_test_support.h"
#include "script_control.h"

namespace docket::test {
namespace {

struct DriveTest : ::testing::Test {
  ComPtr<IFileManager> manager = NewManager();

  HRESULT GetDrive(const std::wstring& spec, ComPtr<IDrive>* drive) {
    const Bstr text(spec);
    return manager->GetDrive(text.get(), drive->put());
  }
  ComPtr<IDrive> DriveOf(const std::wstring& spec) {
    ComPtr<IDrive> drive;
    EXPECT_EQ(GetDrive(spec, &drive), S_OK) << spec;
    return drive;
  }
  bool Exists(const std::wstring& spec) {
    const Bstr text(spec);
    VARIANT_BOOL exists = 7;
    EXPECT_EQ(manager->DriveExists(text.get(), &exists), S_OK) << spec;
    EXPECT_TRUE(exists == VARIANT_TRUE || exists == VARIANT_FALSE) << spec;
    return exists == VARIANT_TRUE;
  }
};

std::wstring DrivePathOf(IDrive* drive) { return TextOf(drive, &IDrive::get_Path); }

double SpaceOf(IDrive* drive, HRESULT (STDMETHODCALLTYPE IDrive::*member)(VARIANT*)) {
  Variant value;
  EXPECT_EQ((drive->*member)(value.get()), S_OK);
  EXPECT_EQ(value.type(), VT_R8) << "a double even when small";
  return V_R8(value.get());
}

TEST_F(DriveTest, ShortFormsCompleteToTheRoot) {
  for (const wchar_t* spec : {L"C", L"c:", L"C:\\"}) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(spec)));
    EXPECT_TRUE(Exists(spec));
    ComPtr<IDrive> drive = DriveOf(spec);
    ASSERT_TRUE(drive);
    EXPECT_EQ(DrivePathOf(drive.get()), std::wstring(1, spec[0]) + L":");
    EXPECT_EQ(TextOf(drive.get(), &IDrive::get_DriveLetter), std::wstring(1, spec[0]));
    EXPECT_EQ(TextOf(drive.get(), &IDrive::get_ShareName), L"") << "no network connection";
    DriveTypeConst kind = RamDisk;
    EXPECT_EQ(drive->get_DriveType(&kind), S_OK);
    EXPECT_EQ(kind, Fixed);
    VARIANT_BOOL ready = VARIANT_FALSE;
    EXPECT_EQ(drive->get_IsReady(&ready), S_OK);
    EXPECT_EQ(ready, VARIANT_TRUE) << "the volume query needs the completed root";
    ComPtr<IFolder> root;
    ASSERT_EQ(drive->get_RootFolder(root.put()), S_OK);
    EXPECT_EQ(PathOf(root.get()), std::wstring(1, spec[0]) + L":\\");
  }
}

TEST_F(DriveTest, RootsThatAreNotThereAreUnavailable) {
  for (const wchar_t* spec : {L"Q", L"Q:", L"Q:\\", L"", L"C:x", L"Cx"}) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(spec)));
    EXPECT_FALSE(Exists(spec));
    ComPtr<IDrive> drive;
    const CallResult call = CallByName(manager.get(), L"GetDrive", DISPATCH_METHOD, {VBstr(spec)});
    EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(call.description, L"Device Unavailable.");
    EXPECT_EQ(call.source, L"Docket.Drive.1");
  }
}

// Longer than a root, a DriveSpec must exist as a path; it is then kept as written and
// counts as a share, though only a UNC share is one for DriveExists.
TEST_F(DriveTest, LongerSpecsMustExistAsPaths) {
  ComPtr<IDrive> drive = DriveOf(L"C:\\windows");
  ASSERT_TRUE(drive);
  EXPECT_FALSE(Exists(L"C:\\windows"));
  EXPECT_EQ(DrivePathOf(drive.get()), L"C:");
  EXPECT_EQ(TextOf(drive.get(), &IDrive::get_DriveLetter), L"C");
  EXPECT_EQ(TextOf(drive.get(), &IDrive::get_ShareName), L"C:\\windows");
  // Not the root of a volume: the volume queries fail with the system's reason, IsReady says no.
  Bstr text;
  LONG serial = 5;
  EXPECT_TRUE(IsSystemError(drive->get_VolumeName(text.put()), ERROR_DIR_NOT_ROOT));
  EXPECT_TRUE(IsSystemError(drive->get_FileSystem(text.put()), ERROR_DIR_NOT_ROOT));
  EXPECT_TRUE(IsSystemError(drive->get_SerialNumber(&serial), ERROR_DIR_NOT_ROOT));
  VARIANT_BOOL ready = VARIANT_TRUE;
  EXPECT_EQ(drive->get_IsReady(&ready), S_OK);
  EXPECT_EQ(ready, VARIANT_FALSE);

  EXPECT_TRUE(IsSystemError(GetDrive(L"C:\\missing", &drive), ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(drive) << "a failed GetDrive returns no object";
  const std::wstring tooLong = L"C:\\" + std::wstring(300, L'x');
  EXPECT_TRUE(IsSystemError(GetDrive(tooLong, &drive), ERROR_FILENAME_EXCED_RANGE));
  EXPECT_FALSE(Exists(tooLong));
}

TEST_F(DriveTest, VolumeFactsAreTheSystems) {
  char label[MAX_PATH], fileSystem[MAX_PATH];
  DWORD serial = 0;
  ASSERT_TRUE(::GetVolumeInformationA("C:\\", label, MAX_PATH, &serial, nullptr, nullptr,
                                      fileSystem, MAX_PATH));
  ComPtr<IDrive> drive = DriveOf(L"C:");
  EXPECT_EQ(TextOf(drive.get(), &IDrive::get_VolumeName), std::wstring(label, label + strlen(label)));
  EXPECT_EQ(TextOf(drive.get(), &IDrive::get_FileSystem),
            std::wstring(fileSystem, fileSystem + strlen(fileSystem)));
  LONG number = 0;
  EXPECT_EQ(drive->get_SerialNumber(&number), S_OK);
  EXPECT_EQ(static_cast<DWORD>(number), serial);
  // An empty (or null) name clears the label; it never reaches the system as a null label.
  const Bstr empty(L"");
  EXPECT_EQ(drive->put_VolumeName(empty.get()), S_OK);
  EXPECT_EQ(drive->put_VolumeName(nullptr), S_OK);
  EXPECT_EQ(drive->get_VolumeName(nullptr), E_POINTER);
}

TEST_F(DriveTest, SpaceIsADoubleExactBeyondFourGiB) {
  ULARGE_INTEGER callerFree, total, free;
  ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &callerFree, &total, &free));
  if (total.QuadPart <= 0xFFFFFFFFull) GTEST_SKIP() << "the test disk is not larger than 4 GiB";
  ComPtr<IDrive> drive = DriveOf(L"C");
  EXPECT_EQ(SpaceOf(drive.get(), &IDrive::get_TotalSize), static_cast<double>(total.QuadPart));
  // The disk is shared with other work: free space moves between calls.
  const double tolerance = 1024.0 * 1024 * 1024;
  EXPECT_NEAR(SpaceOf(drive.get(), &IDrive::get_FreeSpace), static_cast<double>(free.QuadPart),
              tolerance);
  EXPECT_NEAR(SpaceOf(drive.get(), &IDrive::get_AvailableSpace), static_cast<double>(free.QuadPart),
              tolerance) << "all free bytes, as FreeSpace";

  // A path that is no folder has no space to report: the system says why.
  ScratchDir dir;
  WriteBytes(dir / L"file.txt", "x");
  drive = DriveOf(dir / L"file.txt");
  Variant size;
  const HRESULT hr = drive->get_TotalSize(size.get());
  EXPECT_TRUE(FAILED(hr) && IsSystemError(hr, HRESULT_CODE(hr)));
  EXPECT_EQ(size.type(), VT_EMPTY);
}

TEST_F(DriveTest, DrivesListsEveryRootInKeyOrder) {
  char roots[1000];
  ASSERT_GT(::GetLogicalDriveStringsA(sizeof roots, roots), 0u);
  std::wstring expected;
  LONG listed = 0;
  for (const char* root = roots; *root; root += strlen(root) + 1, ++listed)
    expected += std::wstring(root, root + 2) + L";";  // the system lists them in letter order

  ComPtr<IDriveCollection> drives;
  ASSERT_EQ(manager->get_Drives(drives.put()), S_OK);
  LONG count = 0;
  EXPECT_EQ(drives->get_Count(&count), S_OK);
  EXPECT_EQ(count, listed);
  Variant root;
  *root.get() = VBstr(L"C:\\");
  ComPtr<IDrive> drive;
  ASSERT_EQ(drives->get_Item(*root.get(), drive.put()), S_OK);
  EXPECT_EQ(DrivePathOf(drive.get()), L"C:");
  const CallResult miss =
      CallByName(drives.get(), L"Item", DISPATCH_PROPERTYGET, {VBstr(L"C")}, nullptr);
  EXPECT_EQ(miss.description, L"Item not found.") << "the key is the root, not the letter";

  ScriptControl vbs(L"VBScript");
  ASSERT_TRUE(vbs.available());
  vbs.AddObject(L"fm", manager.get());
  vbs.AddCode(
      L"Function Walk()\n Dim d, s\n For Each d In fm.Drives : s = s & d.Path & \";\" : Next\n"
      L" Walk = s & fm.Drives(1).Path\nEnd Function\n");
  Variant walked;
  const CallResult call = vbs.Eval(L"Walk()", walked.get());
  ASSERT_EQ(call.hr, S_OK) << ::testing::PrintToString(call.description);
  EXPECT_EQ(com::View(V_BSTR(walked.get())), expected + expected.substr(0, 2));
}

TEST_F(DriveTest, FilesAndFoldersNameTheDriveThatHoldsThem) {
  ScratchDir dir;
  WriteBytes(dir / L"a.txt", "x");
  CurrentDirectoryChange current(dir.path());
  for (const wchar_t* path : {L"a.txt", L".\\a.txt"}) {
    ComPtr<IFile> file;
    ASSERT_EQ(GetFileOf(manager.get(), path, &file), S_OK);
    ComPtr<IDrive> drive;
    ASSERT_EQ(file->get_Drive(drive.put()), S_OK) << "a relative name lies on the current drive";
    EXPECT_EQ(DrivePathOf(drive.get()), dir.path().substr(0, 2));
  }
  for (const wchar_t* path : {L"C:\\windows", L"Z:\\"}) {
    ComPtr<IFolder> folder;
    ASSERT_EQ(GetFolderOf(manager.get(), path, &folder), S_OK);
    ComPtr<IDrive> drive;
    ASSERT_EQ(folder->get_Drive(drive.put()), S_OK);
    EXPECT_EQ(DrivePathOf(drive.get()), std::wstring(path, 2));
  }
}

}  // namespace
}  // namespace docket::test
