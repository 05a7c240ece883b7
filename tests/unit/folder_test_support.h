// Shared by the tests of Folder and of the service's folder methods.
#pragma once

#include "file_test_support.h"

namespace docket::test {

inline std::wstring PathOf(IFolder* folder) { return TextOf(folder, &IFolder::get_Path); }
inline std::wstring NameOf(IFolder* folder) { return TextOf(folder, &IFolder::get_Name); }

// The path of the folder's ParentFolder; "" for none.
inline std::wstring ParentPathOf(IFolder* folder) {
  ComPtr<IFolder> parent;
  EXPECT_EQ(folder->get_ParentFolder(parent.put()), S_OK);
  return parent ? PathOf(parent.get()) : std::wstring();
}

inline void MakeDirs(const ScratchDir& dir, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names) ASSERT_TRUE(::CreateDirectoryW((dir / name).c_str(), nullptr));
}

// The process's current directory is `path` while this lives.
class CurrentDirectoryChange {
 public:
  explicit CurrentDirectoryChange(const std::wstring& path) {
    ::GetCurrentDirectoryW(MAX_PATH, saved_);
    EXPECT_TRUE(::SetCurrentDirectoryW(path.c_str()));
  }
  ~CurrentDirectoryChange() { ::SetCurrentDirectoryW(saved_); }
  CurrentDirectoryChange(const CurrentDirectoryChange&) = delete;
  CurrentDirectoryChange& operator=(const CurrentDirectoryChange&) = delete;

 private:
  wchar_t saved_[MAX_PATH] = {};
};

}  // namespace docket::test
