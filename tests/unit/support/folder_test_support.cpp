#include "support/folder_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace docket::test {

ComPtr<IFileManager> NewManager(const LoadedModule& module) {
  ComPtr<IFileManager> manager;
  EXPECT_EQ(module.Create(CLSID_FileManager, manager.put()), S_OK);
  return manager;
}

HRESULT GetFolder(IFileManager* manager, const std::wstring& path, ComPtr<IFolder>* folder) {
  Bstr text(path);
  return manager->GetFolder(text.get(), folder->put());
}

std::wstring PathOf(IFolder* folder) {
  Bstr path;
  EXPECT_EQ(folder->get_Path(path.put()), S_OK);
  return std::wstring(path.view());
}

std::wstring NameOf(IFolder* folder) {
  Bstr name;
  EXPECT_EQ(folder->get_Name(name.put()), S_OK);
  return std::wstring(name.view());
}

std::wstring ParentPathOf(IFolder* folder) {
  ComPtr<IFolder> parent;
  EXPECT_EQ(folder->get_ParentFolder(parent.put()), S_OK);
  return parent ? PathOf(parent.get()) : std::wstring();
}

CurrentDirectoryChange::CurrentDirectoryChange(const std::wstring& path) {
  ::GetCurrentDirectoryW(MAX_PATH, saved_);
  EXPECT_TRUE(::SetCurrentDirectoryW(path.c_str()));
}

CurrentDirectoryChange::~CurrentDirectoryChange() { ::SetCurrentDirectoryW(saved_); }

void MakeDir(const std::wstring& path) {
  ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr)) << "cannot create the test folder";
}

void SetReadOnly(const std::wstring& path) {
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
}

void PrintTo(const Failure& failure, std::ostream* out) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(failure.hr));
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, failure.description.c_str(), -1, nullptr, 0,
                                      nullptr, nullptr);
  std::string text(n > 0 ? n - 1 : 0, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, failure.description.c_str(), -1, text.data(), n, nullptr,
                        nullptr);
  *out << code << " \"" << text << "\"";
}

}  // namespace docket::test
