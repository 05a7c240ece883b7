#include "fsobjects/deletion_rules.h"

#include <gtest/gtest.h>

#include <cstdint>

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
  for (const auto& c : cases) EXPECT_EQ(del::IsVolumeRoot(c.path), c.root) << c.path;
}

}  // namespace
