// A folder's walks over its tree: Copy, Move, Delete and Size; and what they do with names the
// system code page (1252) lacks, which an ANSI listing would give as a look-alike or a "?".
#include "folder_test_support.h"

namespace docket::test {
namespace {

struct FolderTreeTest : ManagerTest {
  ComPtr<IFolder> source;

  // source\a.txt, source\empty, source\sub\b.txt, source\sub\deeper\c.txt
  void SetUp() override {
    MakeDirs(dir, {L"source", L"source\\empty", L"source\\sub", L"source\\sub\\deeper"});
    WriteBytes(dir / L"source\\a.txt", "alpha");
    WriteBytes(dir / L"source\\sub\\b.txt", "bravo!");
    WriteBytes(dir / L"source\\sub\\deeper\\c.txt", "charlie");
    source = FolderAt(dir / L"source");
  }
  HRESULT CopyTo(const std::wstring& target, bool overwrite = true) {
    return source->Copy(Bstr(target).get(), overwrite ? VARIANT_TRUE : VARIANT_FALSE);
  }
  HRESULT MoveTo(const std::wstring& target) { return source->Move(Bstr(target).get()); }
  static bool HoldsTheSourceTree(const std::wstring& at) {
    return ReadBytes(at + L"\\a.txt") + ReadBytes(at + L"\\sub\\deeper\\c.txt") == "alphacharlie" &&
           Exists(at + L"\\empty");
  }
};

TEST_F(FolderTreeTest, CopyPutsTheContentsIntoTheDestinationAndMergesOnlyWhenAllowed) {
  EXPECT_TRUE(CopyTo(dir / L"target", false) == S_OK && HoldsTheSourceTree(dir / L"target") &&
              !Exists(dir / L"target\\source"));
  WriteBytes(dir / L"target\\sub\\b.txt", "old b");
  WriteBytes(dir / L"target\\sub\\own.txt", "own");
  EXPECT_TRUE(IsReported(CopyTo(dir / L"target", false), DISP_E_EXCEPTION, L"Destination directory already exists."));
  EXPECT_EQ(ReadBytes(dir / L"target\\sub\\b.txt"), "old b") << "nothing copied";
  ASSERT_EQ(CopyTo(dir / L"target"), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"target\\sub\\b.txt") + ReadBytes(dir / L"target\\sub\\own.txt"), "bravo!own")
      << "same names replaced, others kept";
}

TEST_F(FolderTreeTest, CopyRefusesDestinationsItCannotCopyInto) {
  WriteBytes(dir / L"file.txt", "x");
  EXPECT_TRUE(IsReported(CopyTo(dir / L"file.txt"), DISP_E_EXCEPTION, L"Destination must be a directory"));
  EXPECT_TRUE(IsSystemError(CopyTo(dir / L"missing\\target"), ERROR_PATH_NOT_FOUND));
  // Into its own tree, in any spelling: refused before anything is made.
  for (const wchar_t* inside : {L"SOURCE", L"source\\copy", L"Source\\sub\\copy\\"})
    EXPECT_TRUE(IsReported(CopyTo(dir / inside), DISP_E_EXCEPTION,
                           L"Destination must not lie inside the folder being copied.")) << inside;
  EXPECT_FALSE(Exists(dir / L"source\\copy") || Exists(dir / L"source\\sub\\copy"));
  EXPECT_TRUE(CopyTo(dir / L"source2") == S_OK && HoldsTheSourceTree(dir / L"source2")) << "a sibling, not inside";
  // The destination fits, sub\deeper\c.txt below it does not; what came before it stays copied.
  const std::wstring target = dir / std::wstring(248 - dir.path().size(), L't');
  EXPECT_TRUE(IsSystemError(CopyTo(target), ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "alpha");
}

TEST_F(FolderTreeTest, MoveTakesTheTreeUnlessSomethingIsInTheWay) {
  MakeDirs(dir, {L"folder"});
  WriteBytes(dir / L"file.txt", "x");
  for (const wchar_t* taken : {L"folder", L"file.txt", L"SOURCE"})  // only its exact own path is itself
    EXPECT_TRUE(IsReported(MoveTo(dir / taken), DISP_E_EXCEPTION, L"Destination file already exists.")) << taken;
  EXPECT_TRUE(IsSystemError(MoveTo(dir / L"missing\\moved"), ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(MoveTo(PathOf(source.get())) == S_OK && HoldsTheSourceTree(dir / L"source")) << "onto itself";
  EXPECT_TRUE(MoveTo(dir / L"moved") == S_OK && HoldsTheSourceTree(dir / L"moved") && !Exists(dir / L"source"));
  EXPECT_EQ(PathOf(source.get()), dir / L"source") << "the object keeps its old path";
}

// DeleteFileA refuses a read-only file even to root (see the Wine notes): as on Windows.
TEST_F(FolderTreeTest, DeleteStopsAtAReadOnlyFileUnlessForced) {
  WriteBytes(dir / L"source\\b.txt", "b");
  WriteBytes(dir / L"source\\c.txt", "c");
  ::SetFileAttributesW((dir / L"source\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ::SetFileAttributesW((dir / L"source\\sub").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(IsSystemError(source->Delete(VARIANT_FALSE), ERROR_ACCESS_DENIED));
  EXPECT_FALSE(Exists(dir / L"source\\a.txt")) << "listed before the read-only file";
  EXPECT_TRUE(Exists(dir / L"source\\c.txt")) << "listed after it";
  ASSERT_EQ(source->Delete(VARIANT_TRUE), S_OK);
  EXPECT_FALSE(Exists(dir / L"source"));
  EXPECT_TRUE(IsSystemError(source->Delete(VARIANT_TRUE), ERROR_PATH_NOT_FOUND)) << "the object outlives its folder";
}

// Wine 8.0's CreateSymbolicLinkW answers TRUE and makes nothing, so this runs only on Windows.
TEST_F(FolderTreeTest, DeleteRemovesALinkedFolderAsALinkAndLeavesWhatItPointsAt) {
  MakeDirs(dir, {L"outside"});
  WriteBytes(dir / L"outside\\precious.txt", "keep");
  const std::wstring link = dir / L"source\\link";
  ::CreateSymbolicLinkW(link.c_str(), (dir / L"outside").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  const DWORD attributes = ::GetFileAttributesW(link.c_str());
  const DWORD linked = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & linked) != linked) GTEST_SKIP() << "no folder link here";
  ASSERT_EQ(source->Delete(VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"outside\\precious.txt"), "keep");
}

TEST_F(FolderTreeTest, SizeIsADoubleOfEveryFileBelowEvenBeyondFourGibibytes) {
  Variant size;
  ASSERT_EQ(FolderAt(dir / L"source\\empty")->get_Size(size.get()), S_OK);
  EXPECT_TRUE(size.type() == VT_R8 && V_R8(size.get()) == 0.0);
  // Extended without writing: sparse on the disk underneath, so cheap. Hidden counts as well.
  HANDLE file = ::CreateFileW((dir / L"source\\sub\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
  EXPECT_TRUE(::SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = 5LL << 30}, nullptr, FILE_BEGIN) &&
              ::SetEndOfFile(file) && ::CloseHandle(file));
  ASSERT_EQ(source->get_Size(size.put()), S_OK);
  EXPECT_TRUE(size.type() == VT_R8 && V_R8(size.get()) == static_cast<double>((5LL << 30) + 5 + 6 + 7));
  ASSERT_EQ(source->Delete(VARIANT_TRUE), S_OK);
  EXPECT_TRUE(IsSystemError(source->get_Size(size.put()), ERROR_PATH_NOT_FOUND) && size.type() == VT_EMPTY);
}

const std::wstring kTCedilla = L"\x0163";  // best fit: "t"
const std::wstring kCjkOne = L"\x4E00";    // no form: "?"

// A pattern may match ţ.txt by its short alias alone: t.txt is another file that it never matched.
TEST_F(FolderTreeTest, InexactNameMatchedByItsShortAliasNeverReachesTheLookAlike) {
  const std::wstring inexact = dir / (kTCedilla + L".txt");
  WriteBytes(inexact, "cedilla");
  WriteBytes(dir / L"t.txt", "plain");
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW(inexact.c_str(), &entry);
  ASSERT_TRUE(search != INVALID_HANDLE_VALUE && ::FindClose(search));
  const std::wstring alias = entry.cAlternateFileName;
  if (alias.empty()) GTEST_SKIP() << "the volume makes no short names";
  ComPtr<IFolder> folder = FolderAt(dir.path());
  ASSERT_EQ(folder->put_SearchWildCard(Bstr(alias).get()), S_OK);
  EXPECT_EQ(CountOf(folder.get(), &IFolder::get_Files), 0) << "no File for t.txt";
  EXPECT_TRUE(IsSystemError(manager->DeleteFile(Bstr(dir / alias).get(), VARIANT_FALSE), ERROR_INVALID_NAME,
                            inexact + L": "));
  EXPECT_EQ(ReadBytes(dir / L"t.txt") + ReadBytes(inexact), "plaincedilla");
}

TEST_F(FolderTreeTest, InexactNameStopsAWildcardDeleteBeforeAnyMatchIsDeleted) {
  const std::wstring exact[] = {L"a.txt", L"t.txt", L"\xE9.txt"}, pattern = dir / L"*.txt";
  for (const std::wstring& name : exact) WriteBytes(dir / name, "x");
  WriteBytes(dir / (kTCedilla + L".txt"), "x");
  EXPECT_TRUE(IsSystemError(manager->DeleteFile(Bstr(pattern).get(), VARIANT_FALSE), ERROR_INVALID_NAME,
                            dir / (kTCedilla + L".txt: ")));
  EXPECT_TRUE(Exists(dir / L"a.txt") && Exists(dir / L"t.txt")) << "a.txt is listed before the inexact name";
  // A folder without an exact name is left alone like every folder that matches.
  ASSERT_TRUE(::DeleteFileW((dir / (kTCedilla + L".txt")).c_str()));
  MakeDirs(dir, {(kCjkOne + L".txt").c_str()});
  EXPECT_EQ(manager->DeleteFile(Bstr(pattern).get(), VARIANT_FALSE), S_OK);
  for (const std::wstring& name : exact) EXPECT_FALSE(Exists(dir / name)) << name.size();
}

// source\a.txt is listed before source\sub, where the entry without an exact name lies.
TEST_F(FolderTreeTest, InexactNamesStopTreeWalksBeforeTheyTouchAnythingButSizeCountsTheirFiles) {
  WriteBytes(dir / L"source\\\xE9.txt", "exact");
  const std::wstring inexactFile = dir / (L"source\\sub\\" + kTCedilla + L".txt");
  WriteBytes(inexactFile, "cedilla");
  Variant size;
  EXPECT_TRUE(source->get_Size(size.put()) == S_OK && V_R8(size.get()) == 5 + 6 + 7 + 5 + 7) << "a size needs no name";
  EXPECT_TRUE(IsSystemError(CopyTo(dir / L"copy"), ERROR_INVALID_NAME, inexactFile + L": ") && !Exists(dir / L"copy"));
  EXPECT_TRUE(IsSystemError(source->Delete(VARIANT_TRUE), ERROR_INVALID_NAME, inexactFile + L": "));
  EXPECT_EQ(ReadBytes(dir / L"source\\a.txt"), "alpha");
  // A folder without an exact name cannot be looked into, not even to add up its files.
  const std::wstring inexactFolder = dir / (L"source\\sub\\" + kCjkOne);
  ASSERT_TRUE(::CreateDirectoryW(inexactFolder.c_str(), nullptr));
  EXPECT_TRUE(IsSystemError(source->get_Size(size.put()), ERROR_INVALID_NAME, inexactFolder + L": "));
  // Names the code page has, "é" among them, go through every walk.
  ASSERT_TRUE(::DeleteFileW(inexactFile.c_str()) && ::RemoveDirectoryW(inexactFolder.c_str()));
  EXPECT_TRUE(CopyTo(dir / L"copy", false) == S_OK && ReadBytes(dir / L"copy\\\xE9.txt") == "exact");
  EXPECT_TRUE(source->Delete(VARIANT_FALSE) == S_OK && !Exists(dir / L"source"));
}

}  // namespace
}  // namespace docket::test
