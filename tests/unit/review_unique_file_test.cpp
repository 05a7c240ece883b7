// CreateUniqueFile near the path limit: the name the platform adds to the folder must still fit,
// so the caller never gets a path cut short or a file it cannot name.
#include "file_test_support.h"

namespace docket::test {
namespace {

// The platform's temporary name adds a separator, three prefix characters, four hexadecimal
// digits and ".tmp" to the folder: 12 characters at most.
constexpr size_t kLongestAddedName = 12;

struct UniqueFileNearLimit : ManagerTest {
  // A folder inside the scratch folder whose full path is exactly `length` characters long.
  std::wstring FolderOfLength(size_t length) {
    const std::wstring folder = dir / std::wstring(length - dir.path().size() - 1, L'f');
    EXPECT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
    return folder;
  }
};

TEST_F(UniqueFileNearLimit, FolderLeavingRoomForTheNameGivesTheWholePath) {
  const std::wstring folder = FolderOfLength(MAX_PATH - 1 - kLongestAddedName);
  Bstr created;
  ASSERT_EQ(manager->CreateUniqueFile(Bstr(folder).get(), Bstr(L"abcdef").get(), created.put()),
            S_OK);
  const std::wstring path(created.view());
  EXPECT_EQ(path.rfind(folder + L"\\abc", 0), 0u) << path;
  EXPECT_TRUE(Exists(path)) << path;
}

// Beyond that room the created path could not be handed back whole: the call is refused as too
// long and nothing is created (Windows' own call refuses such a folder too).
TEST_F(UniqueFileNearLimit, FolderWithoutRoomForTheNameIsRefusedAndCreatesNothing) {
  for (size_t length : {size_t{MAX_PATH} - kLongestAddedName, size_t{MAX_PATH} - 4, size_t{MAX_PATH} - 1}) {
    const std::wstring folder = FolderOfLength(length);
    Bstr created;
    const HRESULT hr =
        manager->CreateUniqueFile(Bstr(folder).get(), Bstr(L"abc").get(), created.put());
    EXPECT_TRUE(IsSystemError(hr, ERROR_FILENAME_EXCED_RANGE)) << length;
    EXPECT_EQ(created.get(), nullptr) << length;
    EXPECT_TRUE(::RemoveDirectoryW(folder.c_str())) << length << ": only an empty folder goes";
  }
}

}  // namespace
}  // namespace docket::test
