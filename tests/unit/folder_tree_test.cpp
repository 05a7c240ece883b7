// The folder's walks over its whole tree: Copy, Move, Delete and Size.
#include "support/folder_test_support.h"

#include <gtest/gtest.h>

namespace docket::test {
namespace {

class FolderTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager_ = NewManager();
    // source\a.txt, source\sub\b.txt, source\sub\deeper\c.txt, source\empty
    MakeDir(scratch_ / L"source");
    MakeDir(scratch_ / L"source\\sub");
    MakeDir(scratch_ / L"source\\sub\\deeper");
    MakeDir(scratch_ / L"source\\empty");
    WriteBytes(scratch_ / L"source\\a.txt", "alpha");
    WriteBytes(scratch_ / L"source\\sub\\b.txt", "bravo!");
    WriteBytes(scratch_ / L"source\\sub\\deeper\\c.txt", "charlie");
  }

  ComPtr<IFolder> Source() {
    ComPtr<IFolder> folder;
    EXPECT_EQ(GetFolder(manager_.get(), scratch_ / L"source", &folder), S_OK);
    return folder;
  }
  HRESULT Copy(const std::wstring& destination, bool overwrite) {
    return Source()->Copy(Bstr(destination).get(), overwrite ? VARIANT_TRUE : VARIANT_FALSE);
  }
  void ExpectCopyOfSourceAt(const std::wstring& target) {
    EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "alpha");
    EXPECT_EQ(ReadBytes(target + L"\\sub\\b.txt"), "bravo!");
    EXPECT_EQ(ReadBytes(target + L"\\sub\\deeper\\c.txt"), "charlie");
    EXPECT_TRUE(Exists(target + L"\\empty")) << "empty folders are copied too";
  }

  ComPtr<IFileManager> manager_;
  ScratchDir scratch_;
};

// --- Copy ------------------------------------------------------------------------------------------

TEST_F(FolderTreeTest, CopyPutsTheContentsStraightIntoANewDestination) {
  ASSERT_EQ(Copy(scratch_ / L"target", false), S_OK);
  ExpectCopyOfSourceAt(scratch_ / L"target");
  EXPECT_FALSE(Exists(scratch_ / L"target\\source")) << "no subfolder named after the source";
  ExpectCopyOfSourceAt(scratch_ / L"source");
}

TEST_F(FolderTreeTest, CopyOntoAnExistingFolderWithoutOverwriteCopiesNothing) {
  MakeDir(scratch_ / L"target");
  EXPECT_EQ(Failed(Copy(scratch_ / L"target", false)),
            MessageFailure(L"Destination directory already exists."));
  EXPECT_FALSE(Exists(scratch_ / L"target\\a.txt"));
  EXPECT_FALSE(Exists(scratch_ / L"target\\sub"));
}

TEST_F(FolderTreeTest, CopyWithOverwriteMergesAndReplacesSameNamedFiles) {
  MakeDir(scratch_ / L"target");
  MakeDir(scratch_ / L"target\\sub");
  WriteBytes(scratch_ / L"target\\a.txt", "old a");
  WriteBytes(scratch_ / L"target\\sub\\b.txt", "old b");
  WriteBytes(scratch_ / L"target\\sub\\own.txt", "untouched");
  ASSERT_EQ(Copy(scratch_ / L"target", true), S_OK);
  ExpectCopyOfSourceAt(scratch_ / L"target");
  EXPECT_EQ(ReadBytes(scratch_ / L"target\\sub\\own.txt"), "untouched");
}

TEST_F(FolderTreeTest, CopyRefusesDestinationsItCannotCopyInto) {
  WriteBytes(scratch_ / L"file.txt", "not a folder");
  struct Case {
    const char* what;
    std::wstring destination;
    Failure expected;
  } cases[] = {
      {"an existing file", scratch_ / L"file.txt", MessageFailure(L"Destination must be a directory")},
      {"a missing parent", scratch_ / L"missing\\target", SystemFailure(ERROR_PATH_NOT_FOUND)},
      {"a destination over 259 characters", scratch_ / std::wstring(260, L'x'),
       SystemFailure(ERROR_FILENAME_EXCED_RANGE)},
  };
  for (const Case& c : cases) {
    for (bool overwrite : {false, true})
      EXPECT_EQ(Failed(Copy(c.destination, overwrite)), c.expected) << c.what << " " << overwrite;
  }
  EXPECT_EQ(ReadBytes(scratch_ / L"file.txt"), "not a folder");
  EXPECT_FALSE(Exists(scratch_ / L"missing"));
}

TEST_F(FolderTreeTest, CopyIntoItsOwnTreeIsRefusedBeforeAnythingIsMade) {
  const Failure refused = MessageFailure(L"Destination must not lie inside the folder being copied.");
  for (const std::wstring& inside :
       {scratch_ / L"SOURCE", scratch_ / L"source\\copy", scratch_ / L"Source\\sub\\copy\\"}) {
    EXPECT_EQ(Failed(Copy(inside, true)), refused);
  }
  EXPECT_FALSE(Exists(scratch_ / L"source\\copy"));
  EXPECT_FALSE(Exists(scratch_ / L"source\\sub\\copy"));
  // A sibling whose name merely starts with the source's is not inside it.
  ASSERT_EQ(Copy(scratch_ / L"source2", true), S_OK);
  ExpectCopyOfSourceAt(scratch_ / L"source2");
}

TEST_F(FolderTreeTest, CopyRefusesAPathThatGrowsPastTheLimitOnTheWay) {
  // The destination itself fits, but source's deepest file (sub\deeper\c.txt) does not fit under it.
  const std::wstring prefix = scratch_ / L"";
  const std::wstring target = prefix + std::wstring(259 - prefix.size() - 10, L't');
  EXPECT_EQ(Failed(Copy(target, true)), SystemFailure(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "alpha") << "what was copied before stays";
}

// --- Move ------------------------------------------------------------------------------------------

TEST_F(FolderTreeTest, MoveToItsOwnPathDoesNothing) {
  ComPtr<IFolder> source = Source();
  ASSERT_TRUE(source);
  EXPECT_EQ(source->Move(Bstr(PathOf(source.get())).get()), S_OK);
  ExpectCopyOfSourceAt(scratch_ / L"source");
}

TEST_F(FolderTreeTest, MoveTakesTheTreeAndTheObjectKeepsItsOldPath) {
  ComPtr<IFolder> source = Source();
  ASSERT_TRUE(source);
  ASSERT_EQ(source->Move(Bstr(scratch_ / L"moved").get()), S_OK);
  ExpectCopyOfSourceAt(scratch_ / L"moved");
  EXPECT_FALSE(Exists(scratch_ / L"source"));
  EXPECT_EQ(PathOf(source.get()), scratch_ / L"source");
}

TEST_F(FolderTreeTest, MoveRefusesAnythingInTheWayAndMissingParents) {
  MakeDir(scratch_ / L"folder");
  WriteBytes(scratch_ / L"file.txt", "x");
  ComPtr<IFolder> source = Source();
  ASSERT_TRUE(source);
  const Failure exists = MessageFailure(L"Destination file already exists.");
  EXPECT_EQ(Failed(source->Move(Bstr(scratch_ / L"folder").get())), exists);
  EXPECT_EQ(Failed(source->Move(Bstr(scratch_ / L"file.txt").get())), exists);
  // Another spelling of its own path is not its own path: it exists.
  EXPECT_EQ(Failed(source->Move(Bstr(scratch_ / L"SOURCE").get())), exists);
  EXPECT_EQ(Failed(source->Move(Bstr(scratch_ / L"missing\\moved").get())),
            SystemFailure(ERROR_PATH_NOT_FOUND));
  ExpectCopyOfSourceAt(scratch_ / L"source");
}

// --- Delete ----------------------------------------------------------------------------------------

TEST_F(FolderTreeTest, DeleteRemovesTheWholeTreeHiddenFilesIncluded) {
  WriteBytes(scratch_ / L"source\\sub\\hidden.txt", "h");
  ::SetFileAttributesW((scratch_ / L"source\\sub\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ComPtr<IFolder> source = Source();
  ASSERT_TRUE(source);
  ASSERT_EQ(source->Delete(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(Exists(scratch_ / L"source"));
  EXPECT_EQ(PathOf(source.get()), scratch_ / L"source") << "the object outlives its folder";
  EXPECT_TRUE(FAILED(source->Delete(VARIANT_FALSE))) << "nothing left to delete";
}

// DeleteFileA refuses a read-only file even when the caller is root (see the Wine notes), so
// this runs the same here as on Windows.
TEST_F(FolderTreeTest, ReadOnlyFileStopsDeleteUnlessForced) {
  MakeDir(scratch_ / L"ro");
  WriteBytes(scratch_ / L"ro\\a.txt", "a");
  WriteBytes(scratch_ / L"ro\\b.txt", "b");
  WriteBytes(scratch_ / L"ro\\c.txt", "c");
  SetReadOnly(scratch_ / L"ro\\b.txt");
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFolder(manager_.get(), scratch_ / L"ro", &folder), S_OK);

  EXPECT_EQ(Failed(folder->Delete(VARIANT_FALSE)), SystemFailure(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(Exists(scratch_ / L"ro\\a.txt")) << "listed before the read-only file: deleted";
  EXPECT_TRUE(Exists(scratch_ / L"ro\\b.txt"));
  EXPECT_TRUE(Exists(scratch_ / L"ro\\c.txt")) << "the walk stopped at the read-only file";

  ASSERT_EQ(folder->Delete(VARIANT_TRUE), S_OK);
  EXPECT_FALSE(Exists(scratch_ / L"ro"));
}

TEST_F(FolderTreeTest, ForcedDeleteAlsoTakesReadOnlyFolders) {
  SetReadOnly(scratch_ / L"source\\sub\\deeper\\c.txt");
  SetReadOnly(scratch_ / L"source\\sub\\deeper");
  SetReadOnly(scratch_ / L"source");
  ASSERT_EQ(Source()->Delete(VARIANT_TRUE), S_OK);
  EXPECT_FALSE(Exists(scratch_ / L"source"));
}

// Wine 8.0's CreateSymbolicLinkW answers TRUE but makes nothing, so this runs only on Windows.
TEST_F(FolderTreeTest, DeleteRemovesALinkedFolderAsALinkAndLeavesWhatItPointsAt) {
  MakeDir(scratch_ / L"outside");
  WriteBytes(scratch_ / L"outside\\precious.txt", "keep me");
  const std::wstring link = scratch_ / L"source\\link";
  ::CreateSymbolicLinkW(link.c_str(), (scratch_ / L"outside").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  const DWORD attributes = ::GetFileAttributesW(link.c_str());
  const DWORD linkedFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & linkedFolder) != linkedFolder)
    GTEST_SKIP() << "no folder link can be made here";
  ASSERT_EQ(Source()->Delete(VARIANT_TRUE), S_OK);
  EXPECT_FALSE(Exists(scratch_ / L"source"));
  EXPECT_EQ(ReadBytes(scratch_ / L"outside\\precious.txt"), "keep me");
}

// --- Size ------------------------------------------------------------------------------------------

TEST_F(FolderTreeTest, SizeIsAlwaysADoubleAndAddsUpEveryFileBelow) {
  ComPtr<IFolder> empty;
  ASSERT_EQ(GetFolder(manager_.get(), scratch_ / L"source\\empty", &empty), S_OK);
  Variant size;
  ASSERT_EQ(empty->get_Size(size.get()), S_OK);
  EXPECT_EQ(size.type(), VT_R8);
  EXPECT_EQ(V_R8(size.get()), 0.0);

  WriteBytes(scratch_ / L"source\\sub\\hidden.bin", std::string(1000, 'h'));
  ::SetFileAttributesW((scratch_ / L"source\\sub\\hidden.bin").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_EQ(Source()->get_Size(size.put()), S_OK);
  EXPECT_EQ(size.type(), VT_R8);
  EXPECT_EQ(V_R8(size.get()), 5.0 + 6 + 7 + 1000);
}

TEST_F(FolderTreeTest, SizeOfATreeBeyondFourGibibytesIsExact) {
  // Extending a file without writing leaves it sparse on the disk underneath, so this is cheap.
  const ULONGLONG big = 5ull << 30;
  HANDLE file = ::CreateFileW((scratch_ / L"source\\sub\\big.bin").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(big);
  const bool extended = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
  ::CloseHandle(file);
  ASSERT_TRUE(extended);
  Variant size;
  ASSERT_EQ(Source()->get_Size(size.get()), S_OK);
  EXPECT_EQ(size.type(), VT_R8);
  EXPECT_EQ(V_R8(size.get()), static_cast<double>(big + 5 + 6 + 7));
}

TEST_F(FolderTreeTest, WalksOfAVanishedFolderReportThePlatformError) {
  MakeDir(scratch_ / L"gone");
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFolder(manager_.get(), scratch_ / L"gone", &folder), S_OK);
  ASSERT_TRUE(::RemoveDirectoryW((scratch_ / L"gone").c_str()));
  Variant size;
  const HRESULT hr = folder->get_Size(size.get());
  EXPECT_EQ(Failed(hr), SystemFailure(HRESULT_CODE(hr)));
  EXPECT_EQ(HRESULT_FACILITY(hr), FACILITY_WIN32);
  EXPECT_EQ(size.type(), VT_EMPTY) << "no size on failure";
  EXPECT_EQ(HRESULT_FACILITY(folder->Copy(Bstr(scratch_ / L"copy").get(), VARIANT_TRUE)),
            FACILITY_WIN32);
}

}  // namespace
}  // namespace docket::test
