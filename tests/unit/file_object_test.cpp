// The File object: what it makes of its path, what it reads from the disk and what it does to it.
#include "file_test_support.h"

namespace docket::test {
namespace {

struct FileTest : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();

  ComPtr<IFile> FileAt(const std::wstring& path) {
    ComPtr<IFile> file;
    EXPECT_EQ(GetFileOf(manager.get(), path, &file), S_OK) << path;
    return file;
  }
  static std::wstring Read(IFile* file, HRESULT (STDMETHODCALLTYPE IFile::*get)(BSTR*)) {
    Bstr text;
    EXPECT_EQ((file->*get)(text.put()), S_OK);
    return std::wstring(text.view());
  }
};

TEST_F(FileTest, InitPathSplitsTheNameOffAndKeepsThePathAsWritten) {
  WriteBytes(dir / L"a.txt", "abc");
  ComPtr<IFile> file = FileAt(dir / L"a.txt");
  EXPECT_EQ(Read(file.get(), &IFile::get_Path), dir / L"a.txt");
  EXPECT_EQ(Read(file.get(), &IFile::get_Name), L"a.txt");
  LONG accessible = -1;
  EXPECT_EQ(file->get_Accessible(&accessible), S_OK);
  EXPECT_EQ(accessible, 1);

  // A File made from a folder and a name (as a folder listing makes them) joins them with one '\'.
  ComPtr<IFile> listed;
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_File, listed.put()), S_OK);
  ComPtr<IFileInit> init;
  ASSERT_EQ(listed.As(&init), S_OK);
  const Bstr name(L"a.txt");
  ASSERT_EQ(init->InitFolderName(dir.path().c_str(), name.get()), S_OK);
  EXPECT_EQ(Read(listed.get(), &IFile::get_Path), dir / L"a.txt");
}

TEST_F(FileTest, RelativePathsResolveAgainstTheCurrentDirectoryAtEachCall) {
  ::CreateDirectoryW((dir / L"one").c_str(), nullptr);
  ::CreateDirectoryW((dir / L"two").c_str(), nullptr);
  WriteBytes(dir / L"one\\a.txt", "123");
  WriteBytes(dir / L"two\\a.txt", "12345");
  wchar_t previous[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ::SetCurrentDirectoryW((dir / L"one").c_str());
  // A path without a backslash is all name; the object keeps it relative.
  ComPtr<IFile> file = FileAt(L"a.txt");
  EXPECT_EQ(Read(file.get(), &IFile::get_Path), L"a.txt");
  EXPECT_EQ(Read(file.get(), &IFile::get_Name), L"a.txt");
  ::SetCurrentDirectoryW((dir / L"two").c_str());
  Variant size;
  EXPECT_EQ(file->get_Size(size.put()), S_OK);
  EXPECT_EQ(V_I4(size.get()), 5) << "the size of two\\a.txt, where the process now is";
  // Copy with a bare name stays in the (empty) folder part: the current directory.
  const Bstr copyName(L"b.txt");
  EXPECT_EQ(file->Copy(copyName.get(), VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"two\\b.txt"), "12345");
  // Without a folder part there is no volume to name.
  QFFileSystemType kind = static_cast<QFFileSystemType>(77);
  EXPECT_EQ(file->get_FileSystem(&kind), S_FALSE);
  EXPECT_EQ(kind, 77) << "the result stays untouched";
  ::SetCurrentDirectoryW(previous);
}

TEST_F(FileTest, InitialisationFailsWithTheProbesErrorButAcceptsADirectory) {
  ComPtr<IFile> file;
  EXPECT_TRUE(IsSystemError(GetFileOf(manager.get(), dir / L"missing.txt", &file), 2));
  EXPECT_FALSE(file) << "nothing is handed out";
  EXPECT_TRUE(IsSystemError(GetFileOf(manager.get(), dir / L"no\\x.txt", &file), 3));
  const std::wstring tooLong = dir.path() + L"\\" + std::wstring(260 - dir.path().size(), L'x');
  EXPECT_TRUE(IsSystemError(GetFileOf(manager.get(), tooLong, &file), ERROR_FILENAME_EXCED_RANGE));

  // A directory refuses the probe with access denied: a File all the same, marked inaccessible.
  ASSERT_EQ(GetFileOf(manager.get(), dir.path(), &file), S_OK);
  LONG accessible = -1;
  EXPECT_EQ(file->get_Accessible(&accessible), S_OK);
  EXPECT_EQ(accessible, 0);
  QFFileAttribute attributes{};
  EXPECT_EQ(file->get_Attributes(&attributes), S_OK);
  EXPECT_TRUE(attributes & QFDirectory);
}

TEST_F(FileTest, RenamingChangesTheDiskButNotTheObject) {
  WriteBytes(dir / L"old.txt", "abc");
  WriteBytes(dir / L"taken.txt", "");
  ComPtr<IFile> file = FileAt(dir / L"old.txt");
  const Bstr taken(L"taken.txt"), fresh(L"new.txt");
  EXPECT_TRUE(IsSystemError(file->put_Name(taken.get()), ERROR_ALREADY_EXISTS))
      << "a rename never replaces";
  ASSERT_EQ(file->put_Name(fresh.get()), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"new.txt"), "abc");
  EXPECT_FALSE(Exists(dir / L"old.txt"));
  EXPECT_EQ(Read(file.get(), &IFile::get_Name), L"old.txt");
  EXPECT_EQ(Read(file.get(), &IFile::get_Path), dir / L"old.txt");
  Variant size;
  EXPECT_TRUE(IsSystemError(file->get_Size(size.put()), ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, DatesAreLocalTimesOfTheEntryWithoutMilliseconds) {
  // Local time is UTC plus the bias in force now (not the one of the file's date): under
  // TZ=Europe/Berlin one hour in winter, two in summer.
  TIME_ZONE_INFORMATION zone;
  const DWORD season = ::GetTimeZoneInformation(&zone);
  const LONG offset = -(zone.Bias + (season == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0));
  ASSERT_TRUE(offset == 60 || offset == 120) << "run with TZ=Europe/Berlin, got " << offset;
  WriteBytes(dir / L"t.txt", "x");
  const SYSTEMTIME january{2021, 1, 0, 15, 12, 0, 0, 750}, july{2021, 7, 0, 15, 12, 0, 0, 0};
  FILETIME written, accessed;
  ::SystemTimeToFileTime(&january, &written);
  ::SystemTimeToFileTime(&july, &accessed);
  HANDLE h = ::CreateFileW((dir / L"t.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  // Creation is set to the write time: Wine keeps no creation time of its own and reports the
  // last write time for it, so only this case behaves alike on both platforms.
  ASSERT_TRUE(::SetFileTime(h, &written, &accessed, &written));
  ::CloseHandle(h);
  const auto localDate = [offset](SYSTEMTIME utc) {
    utc.wMilliseconds = 0;
    DATE date = 0;
    ::SystemTimeToVariantTime(&utc, &date);
    return date + offset / (24.0 * 60);
  };
  const double quarterSecond = 0.25 / 86400;
  ComPtr<IFile> file = FileAt(dir / L"t.txt");
  DATE date = 0;
  EXPECT_EQ(file->get_DateLastModified(&date), S_OK);
  EXPECT_NEAR(date, localDate(january), quarterSecond) << "12:00:00.750 is not rounded up";
  EXPECT_EQ(file->get_DateCreated(&date), S_OK);
  EXPECT_NEAR(date, localDate(january), quarterSecond);
  EXPECT_EQ(file->get_DateLastAccessed(&date), S_OK);
  EXPECT_NEAR(date, localDate(july), quarterSecond);
  ::DeleteFileW((dir / L"t.txt").c_str());
  EXPECT_TRUE(IsSystemError(file->get_DateLastModified(&date), ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, AttributesKeepOnlyTheSettableBitsAndRefuseTheOthers) {
  WriteBytes(dir / L"a.txt", "");
  ComPtr<IFile> file = FileAt(dir / L"a.txt");
  struct Case {
    LONG set;
    LONG reads;
  } cases[] = {{QFReadOnly | QFVolume, QFReadOnly},
               {QFHidden | QFSystem, QFHidden | QFSystem},
               {0x80 | QFReadOnly, QFReadOnly},
               {QFNormal, QFNormal}};
  for (const Case& c : cases) {
    ASSERT_EQ(file->put_Attributes(static_cast<QFFileAttribute>(c.set)), S_OK) << c.set;
    QFFileAttribute read{};
    ASSERT_EQ(file->get_Attributes(&read), S_OK);
    // Wine reports the archive bit on every file, whatever was set (Windows reports it only
    // when set): compared without it.
    EXPECT_EQ(read & ~QFArchive, c.reads) << "set " << c.set;
  }
  ASSERT_EQ(file->put_Attributes(QFReadOnly), S_OK);
  for (LONG refused : {LONG{QFDirectory}, LONG{QFAlias}, LONG{QFCompressed | QFReadOnly}}) {
    ClearError();
    EXPECT_EQ(file->put_Attributes(static_cast<QFFileAttribute>(refused)), E_INVALIDARG);
    EXPECT_FALSE(TakeError().present) << "refused bare, without a description";
  }
  QFFileAttribute read{};
  ASSERT_EQ(file->get_Attributes(&read), S_OK);
  EXPECT_EQ(read & ~QFArchive, QFReadOnly) << "a refused value changes nothing";
}

TEST_F(FileTest, SizeIsAnIntegerBelowTwoGigabytesAndADoubleFromThere) {
  struct Case {
    LONGLONG bytes;
    VARTYPE type;
  } cases[] = {{0, VT_I4}, {0x7FFFFFFF, VT_I4}, {0x80000000LL, VT_R8}, {0x100000001LL, VT_R8}};
  for (const Case& c : cases) {
    WriteSizedFile(dir / L"big.bin", c.bytes);
    Variant size;
    ASSERT_EQ(FileAt(dir / L"big.bin")->get_Size(size.put()), S_OK);
    ASSERT_EQ(size.type(), c.type) << c.bytes;
    const double value = c.type == VT_I4 ? V_I4(size.get()) : V_R8(size.get());
    EXPECT_EQ(value, static_cast<double>(c.bytes));
  }
}

TEST_F(FileTest, CopyAndMoveResolveBareNamesInTheFilesFolderAndHonourOverwrite) {
  WriteBytes(dir / L"a.txt", "new");
  WriteBytes(dir / L"b.txt", "old");
  ComPtr<IFile> file = FileAt(dir / L"a.txt");
  ComPtr<IDispatch> script;
  ASSERT_EQ(file.As(&script), S_OK);
  const Bstr b(L"b.txt");
  EXPECT_TRUE(IsSystemError(file->Copy(b.get(), VARIANT_FALSE), ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "old");
  // Through dispatch, as a script calls it: overwriting is the default.
  EXPECT_EQ(CallByName(script.get(), L"Copy", DISPATCH_METHOD, {VBstr(L"b.txt")}).hr, S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "new");

  WriteBytes(dir / L"c.txt", "old");
  const Bstr c(L"c.txt");
  // The replacing move is the platform's; refused with its own error for an existing target.
  EXPECT_TRUE(IsSystemError(file->Move(c.get(), VARIANT_FALSE), ERROR_ALREADY_EXISTS));
  EXPECT_EQ(CallByName(script.get(), L"Move", DISPATCH_METHOD, {VBstr(L"c.txt")}).hr, S_OK);
  EXPECT_EQ(ReadBytes(dir / L"c.txt"), "new");
  EXPECT_FALSE(Exists(dir / L"a.txt"));
  EXPECT_EQ(Read(file.get(), &IFile::get_Path), dir / L"a.txt") << "the object stays put";
  const Bstr tooLong(dir.path() + L"\\" + std::wstring(260, L'y'));
  EXPECT_TRUE(IsSystemError(file->Copy(tooLong.get(), VARIANT_TRUE), ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(FileTest, DeleteNeedsForceForAReadOnlyFile) {
  WriteBytes(dir / L"ro.txt", "x");
  ::SetFileAttributesW((dir / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ComPtr<IFile> file = FileAt(dir / L"ro.txt");
  EXPECT_TRUE(IsSystemError(file->Delete(VARIANT_FALSE), ERROR_ACCESS_DENIED));
  EXPECT_TRUE(Exists(dir / L"ro.txt"));
  EXPECT_EQ(file->Delete(VARIANT_TRUE), S_OK);
  EXPECT_FALSE(Exists(dir / L"ro.txt"));
  EXPECT_TRUE(IsSystemError(file->Delete(VARIANT_TRUE), ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, ShortFormsAndFileSystem) {
  WriteBytes(dir / L"a rather long name.text", "");
  ComPtr<IFile> file = FileAt(dir / L"a rather long name.text");
  const std::wstring shortPath = Read(file.get(), &IFile::get_ShortPath);
  const std::wstring shortName = Read(file.get(), &IFile::get_ShortName);
  // Only the shape: Wine's 8.3 names are its own mangling.
  EXPECT_LE(shortName.size(), 12u) << shortName;
  EXPECT_NE(shortName.find(L'~'), std::wstring::npos) << shortName;
  EXPECT_EQ(shortPath.substr(shortPath.size() - shortName.size() - 1), L"\\" + shortName);
  QFFileSystemType kind{};
  EXPECT_EQ(file->get_FileSystem(&kind), S_OK);
  EXPECT_EQ(kind, QFFILESYSTEM_NTFS) << "Wine's C: drive calls itself NTFS";

  // With no file there is no short form: the platform's error is reported.
  ::DeleteFileW((dir / L"a rather long name.text").c_str());
  Bstr none;
  EXPECT_TRUE(IsSystemError(file->get_ShortName(none.put()), ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, AppendAndCompareAreNotOffered) {
  WriteBytes(dir / L"a.txt", "x");
  ComPtr<IFile> file = FileAt(dir / L"a.txt");
  const Bstr other(dir / L"a.txt");
  EXPECT_EQ(file->Append(other.get()), E_NOTIMPL);
  EXPECT_EQ(file->Compare(other.get()), E_NOTIMPL);
  EXPECT_EQ(ReadBytes(dir / L"a.txt"), "x");
}

}  // namespace
}  // namespace docket::test
