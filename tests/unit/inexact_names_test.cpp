// Entries whose names the system code page (1252 here) cannot hold: ţ (U+0163) would come back
// from an ANSI listing as its look-alike "t", 一 (U+4E00) as "?". No member may act on the entry
// such a name would then name; members that change the disk refuse before they touch anything.
#include "folder_test_support.h"

namespace docket::test {
namespace {

const std::wstring kTCedilla = L"\x0163";  // best fit: "t"
const std::wstring kCjkOne = L"\x4E00";    // no form: "?"

struct InexactNamesTest : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();

  HRESULT DeleteFiles(const std::wstring& pattern) {
    return manager->DeleteFile(Bstr(pattern).get(), VARIANT_FALSE);
  }
  ComPtr<IFolder> FolderAt(const std::wstring& path) {
    ComPtr<IFolder> folder;
    EXPECT_EQ(GetFolderOf(manager.get(), path, &folder), S_OK);
    return folder;
  }
};

// A pattern may match an entry through its short alias alone; the entry's long name is what
// comes back, and its look-alike "t.txt" is another file that the pattern never matched.
TEST_F(InexactNamesTest, AMatchOfTheShortAliasNeverReachesTheLookAlike) {
  WriteBytes(dir / (kTCedilla + L".txt"), "cedilla");
  WriteBytes(dir / L"t.txt", "plain");
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW((dir / (kTCedilla + L".txt")).c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  ::FindClose(search);
  const std::wstring alias = entry.cAlternateFileName;
  if (alias.empty()) GTEST_SKIP() << "the volume makes no short names";

  ComPtr<IFolder> folder = FolderAt(dir.path());
  ASSERT_EQ(folder->put_SearchWildCard(Bstr(alias).get()), S_OK);
  ComPtr<IFileCollection> files;
  ASSERT_EQ(folder->get_Files(files.put()), S_OK);
  long count = -1;
  EXPECT_EQ(files->get_Count(&count), S_OK);
  EXPECT_EQ(count, 0) << "no File for t.txt";

  EXPECT_TRUE(IsSystemError(DeleteFiles(dir / alias), ERROR_INVALID_NAME,
                            dir / (kTCedilla + L".txt: ")));
  EXPECT_EQ(ReadBytes(dir / L"t.txt"), "plain");
  EXPECT_EQ(ReadBytes(dir / (kTCedilla + L".txt")), "cedilla");
}

TEST_F(InexactNamesTest, DeleteFileRefusesAWildcardBeforeDeletingAnyMatch) {
  const std::wstring exact[] = {L"a.txt", L"t.txt", L"\xE9.txt"};
  for (const std::wstring& name : exact) WriteBytes(dir / name, "x");
  WriteBytes(dir / (kTCedilla + L".txt"), "x");
  EXPECT_TRUE(IsSystemError(DeleteFiles(dir / L"*.txt"), ERROR_INVALID_NAME,
                            dir / (kTCedilla + L".txt: ")));
  EXPECT_TRUE(Exists(dir / L"a.txt")) << "listed before the file without an exact name";
  EXPECT_TRUE(Exists(dir / L"t.txt"));

  // A folder without an exact name is left alone like every folder that matches.
  ASSERT_TRUE(::DeleteFileW((dir / (kTCedilla + L".txt")).c_str()));
  MakeDirs(dir, {(kCjkOne + L".txt").c_str()});
  EXPECT_EQ(DeleteFiles(dir / L"*.txt"), S_OK);
  for (const std::wstring& name : exact) EXPECT_FALSE(Exists(dir / name)) << name.size();
}

// source\a.txt is listed before source\sub, where the entry without an exact name lies.
TEST_F(InexactNamesTest, TreeWalksRefuseBeforeTouchingAnythingAndSizeCountsWhatItCanList) {
  MakeDirs(dir, {L"source", L"source\\sub"});
  WriteBytes(dir / L"source\\a.txt", "alpha");
  WriteBytes(dir / L"source\\\xE9.txt", "exact");
  const std::wstring inexactFile = dir / (L"source\\sub\\" + kTCedilla + L".txt");
  WriteBytes(inexactFile, "cedilla");
  ComPtr<IFolder> source = FolderAt(dir / L"source");

  Variant size;
  ASSERT_EQ(source->get_Size(size.put()), S_OK) << "a file's size needs no name";
  EXPECT_EQ(V_R8(size.get()), 5.0 + 5 + 7);
  EXPECT_TRUE(IsSystemError(source->Copy(Bstr(dir / L"copy").get(), VARIANT_TRUE),
                            ERROR_INVALID_NAME, inexactFile + L": "));
  EXPECT_FALSE(Exists(dir / L"copy"));
  EXPECT_TRUE(IsSystemError(source->Delete(VARIANT_TRUE), ERROR_INVALID_NAME, inexactFile + L": "));
  EXPECT_EQ(ReadBytes(dir / L"source\\a.txt"), "alpha");

  // A folder without an exact name cannot be looked into, not even to add up its files.
  const std::wstring inexactFolder = dir / (L"source\\sub\\" + kCjkOne);
  ASSERT_TRUE(::CreateDirectoryW(inexactFolder.c_str(), nullptr));
  EXPECT_TRUE(
      IsSystemError(source->get_Size(size.put()), ERROR_INVALID_NAME, inexactFolder + L": "));

  // Names the code page has, "é" among them, go through every walk.
  ASSERT_TRUE(::DeleteFileW(inexactFile.c_str()) && ::RemoveDirectoryW(inexactFolder.c_str()));
  ASSERT_EQ(source->Copy(Bstr(dir / L"copy").get(), VARIANT_FALSE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"copy\\\xE9.txt"), "exact");
  EXPECT_EQ(source->Delete(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(Exists(dir / L"source"));
}

}  // namespace
}  // namespace docket::test
