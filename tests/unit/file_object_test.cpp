// The File object: what it makes of its path, what it reads from the disk and what it does to it.
#include "folder_test_support.h"

namespace docket::test {
namespace {

using FileTest = ManagerTest;

TEST_F(FileTest, ARelativePathStaysRelativeAndResolvesAtEachCall) {
  MakeDirs(dir, {L"one", L"two"});
  WriteBytes(dir / L"one\\a.txt", "123");
  WriteBytes(dir / L"two\\a.txt", "12345");
  CurrentDirectoryChange current(dir / L"one");
  ComPtr<IFile> file = FileAt(L"a.txt");  // no backslash: all name, empty folder part
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Path) + L"|" + TextOf(file.get(), &IFile::get_Name), L"a.txt|a.txt");
  ::SetCurrentDirectoryW((dir / L"two").c_str());
  Variant size;
  EXPECT_TRUE(file->get_Size(size.put()) == S_OK && V_I4(size.get()) == 5) << "two\\a.txt, where the process is now";
  EXPECT_EQ(file->Copy(Bstr(L"b.txt").get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"two\\b.txt"), "12345") << "a bare name stays in the folder part";
  QFFileSystemType kind = static_cast<QFFileSystemType>(77);
  EXPECT_TRUE(file->get_FileSystem(&kind) == S_FALSE && kind == 77) << "no folder part, no volume";
}

TEST_F(FileTest, InitialisationFailsWithTheProbesErrorExceptForAccessDenied) {
  ComPtr<IFile> file;
  EXPECT_TRUE(IsSystemError(GetFileOf(manager.get(), dir / L"no\\x.txt", &file), ERROR_PATH_NOT_FOUND));
  file = FileAt(dir.path());  // a directory refuses the probe with access denied: a File all the same, marked so
  LONG accessible = -1;
  QFFileAttribute attributes{};
  EXPECT_TRUE(file->get_Accessible(&accessible) == S_OK && accessible == 0 &&
              file->get_Attributes(&attributes) == S_OK && (attributes & QFDirectory));
}

TEST_F(FileTest, RenamingChangesTheDiskButNotTheObject) {
  WriteBytes(dir / L"old.txt", "abc");
  WriteBytes(dir / L"taken.txt", "");
  ComPtr<IFile> file = FileAt(dir / L"old.txt");
  EXPECT_TRUE(IsSystemError(file->put_Name(Bstr(L"taken.txt").get()), ERROR_ALREADY_EXISTS));
  ASSERT_EQ(file->put_Name(Bstr(L"new.txt").get()), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"new.txt"), "abc");
  EXPECT_EQ(TextOf(file.get(), &IFile::get_Name) + L"|" + TextOf(file.get(), &IFile::get_Path),
            L"old.txt|" + (dir / L"old.txt"));
  Variant size;
  EXPECT_TRUE(IsSystemError(file->get_Size(size.put()), ERROR_FILE_NOT_FOUND));
}

// Local is UTC plus the bias in force now, whatever the file's date (TZ=Europe/Berlin: 1 or 2 hours).
TEST_F(FileTest, DatesAreLocalTimesWithoutMilliseconds) {
  TIME_ZONE_INFORMATION zone;
  const bool summer = ::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_DAYLIGHT;
  const LONG offset = -(zone.Bias + (summer ? zone.DaylightBias : 0));
  ASSERT_TRUE(offset == 60 || offset == 120) << "run with TZ=Europe/Berlin, got " << offset;
  const SYSTEMTIME january{2021, 1, 0, 15, 12, 0, 0, 750}, july{2021, 7, 0, 15, 12, 0, 0, 0};
  FILETIME written, accessed;
  WriteBytes(dir / L"t.txt", "x");
  HANDLE h = ::CreateFileW((dir / L"t.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  // Creation as the write time: Wine keeps none of its own and reports the write time for it.
  ASSERT_TRUE(::SystemTimeToFileTime(&january, &written) && ::SystemTimeToFileTime(&july, &accessed) &&
              ::SetFileTime(h, &written, &accessed, &written));
  ::CloseHandle(h);
  const auto local = [offset](SYSTEMTIME utc) {  // 12:00:00.750 reads 12:00:00, not rounded up
    DATE date = 0;
    utc.wMilliseconds = 0;
    return ::SystemTimeToVariantTime(&utc, &date), date + offset / 1440.0;
  };
  ComPtr<IFile> file = FileAt(dir / L"t.txt");
  DATE modified = 0, created = 0, accessedDate = 0;  // the File reads them once, when it is made
  ASSERT_TRUE(file->get_DateLastModified(&modified) == S_OK && file->get_DateCreated(&created) == S_OK &&
              file->get_DateLastAccessed(&accessedDate) == S_OK);
  EXPECT_NEAR(modified, local(january), 0.25 / 86400);
  EXPECT_NEAR(created, local(january), 0.25 / 86400);
  EXPECT_NEAR(accessedDate, local(july), 0.25 / 86400);
}

TEST_F(FileTest, AttributesKeepOnlyTheSettableBitsAndRefuseTheOthersBare) {
  WriteBytes(dir / L"a.txt", "");
  ComPtr<IFile> file = FileAt(dir / L"a.txt");
  const LONG cases[][2] = {{QFReadOnly | QFVolume, QFReadOnly}, {QFHidden | QFSystem | 0x80, QFHidden | QFSystem},
                           {QFNormal, QFNormal},  {QFDirectory, QFNormal},  // refused: nothing changes
                           {QFAlias, QFNormal},   {QFCompressed | QFReadOnly, QFNormal}};
  for (const auto& [set, reads] : cases) {
    ClearError();
    const HRESULT hr = file->put_Attributes(static_cast<QFFileAttribute>(set));
    EXPECT_EQ(hr, set & (QFDirectory | QFAlias | QFCompressed) ? E_INVALIDARG : S_OK) << set;
    EXPECT_FALSE(TakeError().present) << set;
    QFFileAttribute read{};
    ASSERT_EQ(file->get_Attributes(&read), S_OK);
    // Wine reports the archive bit on every file (Windows only when set): compared without it.
    EXPECT_EQ(read & ~QFArchive, reads) << set;
  }
}

TEST_F(FileTest, SizeIsAnIntegerBelowTwoGigabytesAndADoubleFromThere) {
  for (LONGLONG bytes : {0LL, 0x7FFFFFFFLL, 0x80000000LL, 0x100000001LL}) {
    HANDLE h = ::CreateFileW((dir / L"big").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::SetFilePointerEx(h, LARGE_INTEGER{.QuadPart = bytes}, nullptr, FILE_BEGIN);
    ::SetEndOfFile(h);  // sparse: no disk space taken
    ::CloseHandle(h);
    Variant size;
    ASSERT_EQ(FileAt(dir / L"big")->get_Size(size.put()), S_OK);
    ASSERT_EQ(size.type(), bytes < 0x80000000LL ? VT_I4 : VT_R8) << bytes;
    EXPECT_EQ(size.type() == VT_I4 ? V_I4(size.get()) : V_R8(size.get()), bytes);
  }
}

TEST_F(FileTest, DeleteNeedsForceForAReadOnlyFile) {
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file = FileAt(dir / L"ro.txt");
  EXPECT_TRUE(IsSystemError(file->Delete(VARIANT_FALSE), ERROR_ACCESS_DENIED) && Exists(dir / L"ro.txt"));
  EXPECT_TRUE(file->Delete(VARIANT_TRUE) == S_OK && !Exists(dir / L"ro.txt"));
}

}  // namespace
}  // namespace docket::test
