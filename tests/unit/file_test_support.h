// Shared by the tests of File, Folder and the service's file operations.
#pragma once

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace docket::test {

inline HRESULT GetFileOf(IFileManager* manager, const std::wstring& path, ComPtr<IFile>* file) {
  return manager->GetFile(Bstr(path).get(), file->put());
}
inline HRESULT GetFolderOf(IFileManager* manager, const std::wstring& path, ComPtr<IFolder>* folder) {
  return manager->GetFolder(Bstr(path).get(), folder->put());
}

// A scratch folder, a FileManager, and the File and Folder objects it hands out.
struct ManagerTest : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();

  ComPtr<IFile> FileAt(const std::wstring& path) {
    ComPtr<IFile> file;
    EXPECT_EQ(GetFileOf(manager.get(), path, &file), S_OK) << path;
    return file;
  }
  ComPtr<IFolder> FolderAt(const std::wstring& path) {
    ComPtr<IFolder> folder;
    EXPECT_EQ(GetFolderOf(manager.get(), path, &folder), S_OK) << path;
    return folder;
  }
};

// The call returned `code` and left exactly `text` on the thread.
inline ::testing::AssertionResult IsReported(HRESULT hr, HRESULT code, const std::wstring& text) {
  const ErrorFields error = TakeError();
  return (hr == code && error.description == text ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
         << std::hex << "got 0x" << static_cast<ULONG>(hr) << " \"" << error.description << "\"";
}

// A failed platform call: the system error's code and its text (one line end off) after leadIn.
inline ::testing::AssertionResult IsSystemError(HRESULT hr, DWORD error, const std::wstring& leadIn = L"") {
  return IsReported(hr, Win32Code(error), leadIn + SystemText(error));
}

}  // namespace docket::test
