// Shared by the tests of Folder and of the service's folder methods.
#pragma once

#include "file_test_support.h"

namespace docket::test {

inline std::wstring PathOf(IFolder* folder) { return TextOf(folder, &IFolder::get_Path); }
inline std::wstring NameOf(IFolder* folder) { return TextOf(folder, &IFolder::get_Name); }

// The Count of a folder's Files or SubFolders; -1 when a call fails.
template <class Collection>
long CountOf(IFolder* folder, HRESULT (STDMETHODCALLTYPE IFolder::*get)(Collection**)) {
  ComPtr<Collection> items;
  long count = -1;
  return (folder->*get)(items.put()) == S_OK && items->get_Count(&count) == S_OK ? count : -1;
}

inline void MakeDirs(const ScratchDir& dir, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names) ASSERT_TRUE(::CreateDirectoryW((dir / name).c_str(), nullptr));
}

// The process's current directory is `path` while this lives.
struct CurrentDirectoryChange {
  explicit CurrentDirectoryChange(const std::wstring& path) {
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    EXPECT_TRUE(::SetCurrentDirectoryW(path.c_str())) << path;
  }
  ~CurrentDirectoryChange() { ::SetCurrentDirectoryW(saved); }
  wchar_t saved[MAX_PATH] = {};
};

}  // namespace docket::test
