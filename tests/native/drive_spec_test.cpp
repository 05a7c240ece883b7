// The drive that holds an absolute path.
#include "fsobjects/drive_spec.h"

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

}  // namespace
}  // namespace docket::drivespec
