// The string forms in which a script names a drive.
#include "fsobjects/drive_spec.h"

#include <gtest/gtest.h>

namespace docket::drivespec {
namespace {

TEST(DriveSpec, OnlyALetterOrALetterAndColonAreCompleted) {
  const struct {
    const char* spec;
    const char* root;
  } cases[] = {{"C", "C:\\"}, {"c:", "c:\\"}, {"C:\\", "C:\\"}, {"", ""}, {"ab", "ab\\"},
               {"\\\\s\\x", "\\\\s\\x"}, {"C:\\dir", "C:\\dir"}};
  for (const auto& c : cases) EXPECT_EQ(CompleteRoot(c.spec), c.root) << c.spec;
}

TEST(DriveSpec, DisplayNameKeepsAShareWholeAndCutsOthersAtTheFirstBackslash) {
  EXPECT_EQ(DisplayName(L"C:\\"), L"C:");
  EXPECT_EQ(DisplayName(L"C:\\windows\\system"), L"C:");
  EXPECT_EQ(DisplayName(L"\\\\server\\share"), L"\\\\server\\share");
  EXPECT_EQ(DisplayName(L"docs"), L"docs");
  EXPECT_EQ(DisplayName(L""), L"");
}

TEST(DriveSpec, QueryRootEndsInABackslash) {
  EXPECT_EQ(QueryRoot("C:\\"), "C:\\");
  EXPECT_EQ(QueryRoot("\\\\server\\share"), "\\\\server\\share\\");
  EXPECT_EQ(QueryRoot(""), "");
}

TEST(DriveSpec, ItemRootIsTheDriveOrTheShare) {
  const struct {
    const wchar_t* path;
    const wchar_t* root;
  } cases[] = {
      {L"C:\\dir\\a.txt", L"C:\\"},
      {L"C:\\", L"C:\\"},
      {L"C:", L"C:"},
      {L"\\\\server\\share\\dir\\a.txt", L"\\\\server\\share"},
      {L"\\\\server\\share\\", L"\\\\server\\share"},
      {L"\\\\server\\share", L"\\\\server\\share"},
      {L"\\\\server", L"\\\\server"},
      {L"\\\\", L"\\\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(ItemRoot(c.path), c.root);
}

}  // namespace
}  // namespace docket::drivespec
