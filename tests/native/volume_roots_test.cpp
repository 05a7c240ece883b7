// Roots of volumes: which paths a delete must refuse to start at, what a delete walks into, and the
// root a drive query takes.
#include "fsobjects/deletion_rules.h"
#include "fsobjects/drive_spec.h"

#include "code_page_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace del = docket::deletion;
using code_page_tables::k932;
using code_page_tables::kSingleByte;

namespace {

// A search result or the folder a delete starts at: only a folder without the reparse bit is
// walked into. A link to a folder goes as a link whatever else is set on it.
TEST(RemovalFor, EntersOnlyRealFolders) {
  constexpr std::uint32_t kReadOnly = 0x1, kArchive = 0x20, kLink = del::kReparsePointAttribute;
  EXPECT_EQ(del::RemovalFor(kArchive), del::Removal::File);
  EXPECT_EQ(del::RemovalFor(kLink | kArchive), del::Removal::File) << "link to a file";
  EXPECT_EQ(del::RemovalFor(del::kDirectoryAttribute), del::Removal::Tree);
  EXPECT_EQ(del::RemovalFor(del::kDirectoryAttribute | kLink), del::Removal::Link);
  EXPECT_EQ(del::RemovalFor(del::kDirectoryAttribute | kLink | kReadOnly), del::Removal::Link);
}

TEST(IsVolumeRoot, DriveAndShareRootsInEveryFormButNothingBelowThem) {
  // "\" is the current drive's root, before it is made absolute; "\\?\UNCLE" a volume so named.
  for (const char* root : {R"(C:\)", "c:", "C:/", R"(\)", R"(\\server\share)", R"(\\server\share\)",
                           R"(\\server)", R"(\\?\C:\)", R"(\\.\C:\)", R"(\\?\UNC\server\share\)",
                           R"(\\?\Volume{0b1c2d3e-0000-0000-0000-000000000000}\)",
                           R"(\\?\unc\server\share)", R"(\\?\UNCLE)"})
    EXPECT_TRUE(del::IsVolumeRoot(root, kSingleByte)) << root;
  // A wildcard inside a root makes no root.
  for (const char* below : {R"(C:\tmp)", R"(C:\tmp*)", R"(C:\a\b\)", R"(\tmp)", R"(\\server\share\dir)",
                            R"(\\?\C:\dir)", R"(\\?\UNC\server\share\dir)", "relative"})
    EXPECT_FALSE(del::IsVolumeRoot(below, kSingleByte)) << below;
}

// A share or folder named with a character whose second byte is 5C (表 is 95 5C in 932) has one
// component there, not two.
TEST(IsVolumeRoot, DoubleByteNamesAreOneComponent) {
  const std::string table = "\x95\x5C";
  EXPECT_TRUE(del::IsVolumeRoot("\\\\srv\\a" + table + "b", k932));
  EXPECT_FALSE(del::IsVolumeRoot("\\\\srv\\a" + table + "b", kSingleByte));
  EXPECT_TRUE(del::IsVolumeRoot("\\\\?\\UNC\\" + table + "x\\s", k932));
  EXPECT_FALSE(del::IsVolumeRoot("C:\\" + table, k932));
}

// A drive's root: of an item's path, completed from a letter, as it shows, and as the volume
// queries take it (in 932 a share named 表, 95 5C, does not end in a backslash yet).
TEST(DriveSpec, RootsOfDrivesAndShares) {
  using namespace docket::drivespec;
  EXPECT_EQ(ItemRoot(L"C:\\dir\\a.txt"), L"C:\\");
  EXPECT_EQ(ItemRoot(L"C:"), L"C:");
  for (const wchar_t* path : {L"\\\\server\\share\\dir\\a.txt", L"\\\\server\\share\\", L"\\\\server\\share"})
    EXPECT_EQ(ItemRoot(path), L"\\\\server\\share");
  EXPECT_EQ(ItemRoot(L"\\\\server"), L"\\\\server");
  EXPECT_EQ(ItemRoot(L"\\\\"), L"\\\\");
  EXPECT_EQ(CompleteRoot("C") + CompleteRoot("d:") + CompleteRoot("C:\\x"), "C:\\d:\\C:\\x");
  EXPECT_EQ(DisplayName(L"C:\\"), L"C:");
  EXPECT_EQ(DisplayName(L"\\\\srv\\sh\\"), L"\\\\srv\\sh\\") << "a share shows whole";
  EXPECT_EQ(QueryRoot("C:\\", k932) + QueryRoot("", k932), "C:\\");
  EXPECT_EQ(QueryRoot("\\\\srv\\sh", k932), "\\\\srv\\sh\\");
  EXPECT_EQ(QueryRoot("\\\\srv\\\x95\x5C", k932), "\\\\srv\\\x95\x5C\\");
}

}  // namespace
