// In code page 932 the second byte of 表 (95 5C) and ソ (83 5C) is a backslash's; no member may take it
// for one. Run by system_code_page_932.test.sh, skipped elsewhere; the string rules are tested natively.
#include "folder_test_support.h"

namespace docket::test {
namespace {

const std::wstring kTable = L"\x8868";    // 表: 95 5C
const std::wstring kSaw = L"\x30BD";      // ソ: 83 5C
const std::wstring kAbility = L"\x80FD";  // 能: 94 5C

struct SystemDoubleBytePaths : ManagerTest {
  void SetUp() override {
    if (::GetACP() != 932) GTEST_SKIP() << "needs 932 as the system code page";
  }
};

TEST_F(SystemDoubleBytePaths, PathFunctionsJoinAndSplitOnlyAtRealSeparators) {
  Bstr joined, drive;
  ASSERT_EQ(manager->BuildPath(Bstr(L"C:\\d\\" + kTable).get(), Bstr(kSaw).get(), joined.put()), S_OK);
  ASSERT_EQ(manager->GetDriveName(Bstr(L"\\\\srv\\" + kTable).get(), drive.put()), S_OK);  // a share ending in 5C
  EXPECT_EQ(std::wstring(joined.view()) + L"|" + std::wstring(drive.view()),
            L"C:\\d\\" + kTable + L"\\" + kSaw + L"|\\\\srv\\" + kTable);
}

TEST_F(SystemDoubleBytePaths, AFileKnowsItsWholeNameAndItsFolder) {
  for (const std::wstring& name : {kTable, kSaw + L".txt"}) {
    WriteBytes(dir / name, "x");
    ComPtr<IFile> file = FileAt(dir / name);
    ComPtr<IFolder> parent;
    ASSERT_TRUE(file && file->get_ParentFolder(parent.put()) == S_OK) << name.size();
    EXPECT_EQ(TextOf(file.get(), &IFile::get_Name) + L"|" + PathOf(parent.get()), name + L"|" + dir.path());
  }
}

// A bare name is a name in the object's own folder, wherever the current directory is.
TEST_F(SystemDoubleBytePaths, CopyMoveAndRenameWithABareNameStayInTheirFolder) {
  ScratchDir elsewhere;
  CurrentDirectoryChange current(elsewhere.path());
  WriteBytes(dir / L"a.txt", "data");
  ASSERT_EQ(FileAt(dir / L"a.txt")->Copy(Bstr(kTable).get(), VARIANT_FALSE), S_OK);
  EXPECT_TRUE(ReadBytes(dir / kTable) == "data" && !Exists(elsewhere / kTable)) << "copied beside a.txt";
  ASSERT_EQ(FileAt(dir / kTable)->Move(Bstr(kSaw).get(), VARIANT_FALSE), S_OK);
  EXPECT_TRUE(ReadBytes(dir / kSaw) == "data" && !Exists(dir / kTable));
  ASSERT_EQ(FileAt(dir / kSaw)->put_Name(Bstr(L"b.txt").get()), S_OK);
  EXPECT_EQ(ReadBytes(dir / L"b.txt"), "data");
  MakeDirs(dir, {L"old"});
  ComPtr<IFolder> folder = FolderAt(dir / L"old");
  ASSERT_EQ(folder->put_Name(Bstr(kTable).get()), S_OK);
  EXPECT_EQ(NameOf(folder.get()) + L"|" + PathOf(folder.get()), kTable + L"|" + (dir / kTable));
  ASSERT_EQ(folder->put_Name(Bstr(kSaw).get()), S_OK) << "renamed again from such a name";
  EXPECT_TRUE(Exists(dir / kSaw) && PathOf(folder.get()) == dir / kSaw);
}

// A folder whose name ends in 95 5C beside one that begins with it: listings and walks stay in the first.
TEST_F(SystemDoubleBytePaths, ListingsAndTreeWalksStayInsideTheFolder) {
  const std::wstring sibling = kTable + kTable;
  MakeDirs(dir, {kTable.c_str(), (kTable + L"\\sub").c_str(), sibling.c_str()});
  WriteBytes(dir / (kTable + L"\\in.txt"), "abc");
  WriteBytes(dir / (sibling + L"\\keep.txt"), "kept");
  ComPtr<IFolder> folder = FolderAt(dir / kTable);
  ASSERT_TRUE(folder);
  EXPECT_EQ(CountOf(folder.get(), &IFolder::get_Files), 1) << "Files";
  EXPECT_EQ(CountOf(folder.get(), &IFolder::get_SubFolders), 1) << "SubFolders";
  Variant size;
  DATE date = 0;
  EXPECT_TRUE(folder->get_Size(size.put()) == S_OK && V_R8(size.get()) == 3.0);
  EXPECT_EQ(folder->get_DateLastModified(&date), S_OK) << "its own entry";
  ASSERT_EQ(folder->Copy(Bstr(dir / L"copy").get(), VARIANT_FALSE), S_OK);
  EXPECT_TRUE(ReadBytes(dir / L"copy\\in.txt") == "abc" && Exists(dir / L"copy\\sub") &&
              !Exists(dir / L"copy\\keep.txt"));
  ASSERT_EQ(folder->Delete(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(Exists(dir / kTable));
  EXPECT_EQ(ReadBytes(dir / (sibling + L"\\keep.txt")), "kept") << "the sibling is untouched";
}

// The yen sign (U+00A5) has 5C, the backslash, as its look-alike in 932: listed in the system code
// page, "..¥precious.txt" would name "..\precious.txt", outside the folder.
TEST_F(SystemDoubleBytePaths, AYenSignInANameIsNeverTakenForASeparator) {
  MakeDirs(dir, {L"source"});
  WriteBytes(dir / L"precious.txt", "keep");
  const std::wstring entry = dir / L"source\\..\u00A5precious.txt";
  WriteBytes(entry, "x");
  ComPtr<IFolder> source = FolderAt(dir / L"source");
  ASSERT_TRUE(source);
  EXPECT_EQ(CountOf(source.get(), &IFolder::get_Files), 0) << "no File for precious.txt";
  EXPECT_TRUE(IsSystemError(manager->DeleteFile(Bstr(dir / L"source\\*").get(), VARIANT_TRUE), ERROR_INVALID_NAME,
                            entry + L": ")) << "DeleteFile";
  EXPECT_TRUE(IsSystemError(source->Delete(VARIANT_TRUE), ERROR_INVALID_NAME, entry + L": "));
  EXPECT_TRUE(ReadBytes(dir / L"precious.txt") == "keep" && Exists(entry));
}

TEST_F(SystemDoubleBytePaths, CreateFolderMakesEveryLevelAndDeleteFileFindsTheName) {
  const std::wstring nested = dir / (kTable + L"\\" + kSaw), file = dir / (kTable + L".txt");
  ComPtr<IFolder> made;
  ASSERT_EQ(manager->CreateFolder(Bstr(nested).get(), made.put()), S_OK);
  EXPECT_TRUE(Exists(nested) && NameOf(made.get()) == kSaw);
  ASSERT_EQ(manager->CreateFolder(Bstr(dir / kAbility).get(), made.put()), S_OK);
  EXPECT_EQ(PathOf(made.get()), dir / kAbility);
  WriteBytes(file, "x");
  EXPECT_TRUE(manager->DeleteFile(Bstr(file).get(), VARIANT_FALSE) == S_OK && !Exists(file));
}

// A folder's absolute form must fit 255 bytes of the system code page, however few characters.
TEST_F(SystemDoubleBytePaths, AbsoluteFormsFitTheBufferInBytesNotCharacters) {
  CurrentDirectoryChange current(dir.path());
  // "<dir>\" and two bytes for each 表: 256 or 257 bytes, far fewer characters.
  const size_t characters = (256 - dir.path().size()) / 2;
  ComPtr<IFolder> folder;
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), std::wstring(characters, kTable[0]), &folder),
                            ERROR_FILENAME_EXCED_RANGE)) << characters;
  EXPECT_TRUE(IsSystemError(GetFolderOf(manager.get(), std::wstring(characters - 1, kTable[0]), &folder),
                            ERROR_FILE_NOT_FOUND)) << "only missing";
}

}  // namespace
}  // namespace docket::test
