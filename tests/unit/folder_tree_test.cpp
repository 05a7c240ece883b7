// A folder's walks over its whole tree: Copy, Move, Delete and Size.
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
    ASSERT_EQ(GetFolderOf(manager.get(), dir / L"source", &source), S_OK);
  }
  HRESULT CopyTo(const std::wstring& target, bool overwrite) {
    return source->Copy(Bstr(target).get(), overwrite ? VARIANT_TRUE : VARIANT_FALSE);
  }
  HRESULT MoveTo(const std::wstring& target) { return source->Move(Bstr(target).get()); }
  void ExpectSourceTreeAt(const std::wstring& at) {
    EXPECT_EQ(ReadBytes(at + L"\\a.txt"), "alpha");
    EXPECT_EQ(ReadBytes(at + L"\\sub\\deeper\\c.txt"), "charlie");
    EXPECT_TRUE(Exists(at + L"\\empty"));
  }
};

TEST_F(FolderTreeTest, CopyPutsTheContentsIntoTheDestinationAndMergesOnlyWhenAllowed) {
  ASSERT_EQ(CopyTo(dir / L"target", false), S_OK);
  ExpectSourceTreeAt(dir / L"target");
  EXPECT_FALSE(Exists(dir / L"target\\source")) << "no folder named after the source";

  WriteBytes(dir / L"target\\sub\\b.txt", "old b");
  WriteBytes(dir / L"target\\sub\\own.txt", "own");
  EXPECT_TRUE(IsReported(CopyTo(dir / L"target", false), DISP_E_EXCEPTION,
                         L"Destination directory already exists."));
  EXPECT_EQ(ReadBytes(dir / L"target\\sub\\b.txt"), "old b") << "nothing copied";
  ASSERT_EQ(CopyTo(dir / L"target", true), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"target\\sub\\b.txt"), "bravo!") << "same names replaced";
  EXPECT_EQ(ReadBytes(dir / L"target\\sub\\own.txt"), "own") << "others kept";
}

TEST_F(FolderTreeTest, CopyRefusesDestinationsItCannotCopyInto) {
  WriteBytes(dir / L"file.txt", "x");
  EXPECT_TRUE(IsReported(CopyTo(dir / L"file.txt", true), DISP_E_EXCEPTION,
                         L"Destination must be a directory"));
  EXPECT_TRUE(IsSystemError(CopyTo(dir / L"missing\\target", true), ERROR_PATH_NOT_FOUND));
  // Into its own tree, in any spelling: refused before anything is made.
  for (const wchar_t* inside : {L"SOURCE", L"source\\copy", L"Source\\sub\\copy\\"})
    EXPECT_TRUE(IsReported(CopyTo(dir / inside, true), DISP_E_EXCEPTION,
                           L"Destination must not lie inside the folder being copied."))
        << inside;
  EXPECT_FALSE(Exists(dir / L"source\\copy"));
  EXPECT_FALSE(Exists(dir / L"source\\sub\\copy"));
  ASSERT_EQ(CopyTo(dir / L"source2", true), S_OK) << "a sibling that merely shares the prefix";
  ExpectSourceTreeAt(dir / L"source2");
}

TEST_F(FolderTreeTest, CopyRefusesAPathThatGrowsPastTheLimitOnTheWay) {
  // The destination fits, sub\deeper\c.txt below it does not; what came before it stays copied.
  const std::wstring prefix = dir / L"";
  const std::wstring target = prefix + std::wstring(249 - prefix.size(), L't');
  EXPECT_TRUE(IsSystemError(CopyTo(target, true), ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "alpha");
}

TEST_F(FolderTreeTest, MoveTakesTheTreeUnlessSomethingIsInTheWay) {
  MakeDirs(dir, {L"folder"});
  WriteBytes(dir / L"file.txt", "x");
  const std::wstring exists = L"Destination file already exists.";
  EXPECT_TRUE(IsReported(MoveTo(dir / L"folder"), DISP_E_EXCEPTION, exists));
  EXPECT_TRUE(IsReported(MoveTo(dir / L"file.txt"), DISP_E_EXCEPTION, exists));
  EXPECT_TRUE(IsReported(MoveTo(dir / L"SOURCE"), DISP_E_EXCEPTION, exists))
      << "only its exact own path counts as itself";
  EXPECT_TRUE(IsSystemError(MoveTo(dir / L"missing\\moved"), ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(MoveTo(PathOf(source.get())), S_OK);
  ExpectSourceTreeAt(dir / L"source");

  ASSERT_EQ(MoveTo(dir / L"moved"), S_OK);
  ExpectSourceTreeAt(dir / L"moved");
  EXPECT_FALSE(Exists(dir / L"source"));
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
  EXPECT_TRUE(IsSystemError(source->Delete(VARIANT_TRUE), ERROR_PATH_NOT_FOUND))
      << "the object outlives its folder";
}

// Wine 8.0's CreateSymbolicLinkW answers TRUE and makes nothing, so this runs only on Windows.
TEST_F(FolderTreeTest, DeleteRemovesALinkedFolderAsALinkAndLeavesWhatItPointsAt) {
  MakeDirs(dir, {L"outside"});
  WriteBytes(dir / L"outside\\precious.txt", "keep");
  const std::wstring link = dir / L"source\\link";
  ::CreateSymbolicLinkW(link.c_str(), (dir / L"outside").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  const DWORD attributes = ::GetFileAttributesW(link.c_str());
  const DWORD linkedFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & linkedFolder) != linkedFolder)
    GTEST_SKIP() << "no folder link can be made here";
  ASSERT_EQ(source->Delete(VARIANT_TRUE), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"outside\\precious.txt"), "keep");
}

TEST_F(FolderTreeTest, SizeIsADoubleOfEveryFileBelowEvenBeyondFourGibibytes) {
  Variant size;
  ASSERT_EQ(FolderAt(dir / L"source\\empty")->get_Size(size.get()), S_OK);
  EXPECT_EQ(size.type(), VT_R8);
  EXPECT_EQ(V_R8(size.get()), 0.0);

  // Extended without writing: sparse on the disk underneath, so cheap. Hidden counts as well.
  const ULONGLONG big = 5ull << 30;
  HANDLE file = ::CreateFileW((dir / L"source\\sub\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(big);
  EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
  ::CloseHandle(file);
  ASSERT_EQ(source->get_Size(size.put()), S_OK);
  EXPECT_EQ(size.type(), VT_R8);
  EXPECT_EQ(V_R8(size.get()), static_cast<double>(big + 5 + 6 + 7));

  ASSERT_EQ(source->Delete(VARIANT_TRUE), S_OK);
  EXPECT_TRUE(IsSystemError(source->get_Size(size.put()), ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(size.type(), VT_EMPTY);
}

}  // namespace
}  // namespace docket::test
