// The drive that holds an absolute path, and the root the volume queries take.
#include "fsobjects/drive_spec.h"

#include "code_page_tables.h"

#include <gtest/gtest.h>

namespace docket::drivespec {
namespace {

TEST(DriveSpec, ItemRootIsTheDriveOrTheShare) {
  const struct {
    const wchar_t* path;
    const wchar_t* root;
  } cases[] = {
      {L"C:\\dir\\a.txt", L"C:\\"},
      {L"C:", L"C:"},
      {L"\\\\server\\share\\dir\\a.txt", L"\\\\server\\share"},
      {L"\\\\server\\share\\", L"\\\\server\\share"},
      {L"\\\\server\\share", L"\\\\server\\share"},
      {L"\\\\server", L"\\\\server"},
      {L"\\\\", L"\\\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(ItemRoot(c.path), c.root);
}

// In 932 a share named 表 (95 5C) does not end in a backslash yet.
TEST(DriveSpec, QueryRootClosesWithOneBackslash) {
  using code_page_tables::k932;
  EXPECT_EQ(QueryRoot("C:\\", k932), "C:\\");
  EXPECT_EQ(QueryRoot("\\\\srv\\sh", k932), "\\\\srv\\sh\\");
  EXPECT_EQ(QueryRoot("\\\\srv\\\x95\x5C", k932), "\\\\srv\\\x95\x5C\\");
  EXPECT_EQ(QueryRoot("", k932), "");
}

}  // namespace
}  // namespace docket::drivespec
