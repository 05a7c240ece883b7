// CreateUniqueFile near the path limit: the name the platform adds to the folder must still fit,
// so the caller never gets a path cut short or a file it cannot name.
#include "file_test_support.h"

namespace docket::test {
namespace {

// The platform's temporary name adds a separator, three prefix characters, four hexadecimal
// digits and ".tmp" to the folder: 12 characters at most. Beyond that room the created path could
// not be handed back whole: the call is refused as too long and nothing is created (Windows' own
// call refuses such a folder too).
struct UniqueFileNearLimit : ManagerTest {};

TEST_F(UniqueFileNearLimit, TheFolderMustLeaveRoomForTheNameAdded) {
  for (size_t length : {MAX_PATH - 13, MAX_PATH - 12, MAX_PATH - 4, MAX_PATH - 1}) {
    const std::wstring folder = dir / std::wstring(length - dir.path().size() - 1, L'f');
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
    Bstr created;
    const HRESULT hr = manager->CreateUniqueFile(Bstr(folder).get(), Bstr(L"abcdef").get(), created.put());
    const std::wstring path(created.view());
    if (length == MAX_PATH - 13) {
      EXPECT_EQ(hr, S_OK);
      EXPECT_EQ(path.rfind(folder + L"\\abc", 0), 0u) << path;
      EXPECT_TRUE(Exists(path)) << path;
      continue;
    }
    EXPECT_TRUE(IsSystemError(hr, ERROR_FILENAME_EXCED_RANGE)) << length;
    EXPECT_EQ(created.get(), nullptr) << length;
    EXPECT_TRUE(::RemoveDirectoryW(folder.c_str())) << length << ": only an empty folder goes";
  }
}

}  // namespace
}  // namespace docket::test
