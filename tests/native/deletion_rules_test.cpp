#include "fsobjects/deletion_rules.h"

#include "code_page_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace del = docket::deletion;

namespace {

constexpr std::uint32_t kReadOnly = 0x1, kArchive = 0x20;

// A search result or the folder a delete starts at: only a folder without the reparse bit is
// walked into. A link to a folder goes as a link whatever else is set on it.
TEST(RemovalFor, EntersOnlyRealFolders) {
  const struct {
    const char* name;
    std::uint32_t attributes;
    del::Removal expected;
  } cases[] = {
      {"plain file", kArchive, del::Removal::File},
      {"read-only file", kReadOnly | kArchive, del::Removal::File},
      {"link to a file", del::kReparsePointAttribute | kArchive, del::Removal::File},
      {"folder", del::kDirectoryAttribute, del::Removal::Tree},
      {"link to a folder", del::kDirectoryAttribute | del::kReparsePointAttribute, del::Removal::Link},
      {"read-only link to a folder",
       del::kDirectoryAttribute | del::kReparsePointAttribute | kReadOnly, del::Removal::Link},
  };
  for (const auto& c : cases) EXPECT_EQ(del::RemovalFor(c.attributes), c.expected) << c.name;
}

TEST(IsVolumeRoot, DriveAndShareRootsInEveryFormButNothingBelowThem) {
  const struct {
    const char* path;
    bool root;
  } cases[] = {
      {R"(C:\)", true},
      {"c:", true},
      {"C:/", true},
      {R"(\)", true},  // the current drive's root, before it is made absolute
      {R"(\\server\share)", true},
      {R"(\\server\share\)", true},
      {R"(\\server)", true},
      {R"(\\?\C:\)", true},
      {R"(\\.\C:\)", true},
      {R"(\\?\Volume{0b1c2d3e-0000-0000-0000-000000000000}\)", true},
      {R"(\\?\UNC\server\share\)", true},
      {R"(\\?\unc\server\share)", true},
      {R"(C:\tmp)", false},
      {R"(C:\tmp*)", false},  // a wildcard inside a root is no root
      {R"(C:\a\b\)", false},
      {R"(\tmp)", false},
      {R"(\\server\share\dir)", false},
      {R"(\\?\C:\dir)", false},
      {R"(\\?\UNC\server\share\dir)", false},
      {R"(\\?\UNCLE)", true},  // a volume named so, not the UNC form
      {"relative", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(del::IsVolumeRoot(c.path, code_page_tables::kSingleByte), c.root) << c.path;
}

// A share or folder named with a character whose second byte is 5C (表 is 95 5C in 932) has one
// component there, not two.
TEST(IsVolumeRoot, DoubleByteNamesAreOneComponent) {
  const std::string table = "\x95\x5C";
  EXPECT_TRUE(del::IsVolumeRoot("\\\\srv\\a" + table + "b", code_page_tables::k932));
  EXPECT_FALSE(del::IsVolumeRoot("\\\\srv\\a" + table + "b", code_page_tables::kSingleByte));
  EXPECT_TRUE(del::IsVolumeRoot("\\\\?\\UNC\\" + table + "x\\s", code_page_tables::k932));
  EXPECT_FALSE(del::IsVolumeRoot("C:\\" + table, code_page_tables::k932));
}

}  // namespace
