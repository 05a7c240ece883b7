// Shared by the tests of the File object and the service's file operations: objects by path and
// failures compared with the system's own texts, computed at run time.
#pragma once

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace docket::test {

inline ComPtr<IFileManager> NewManager(const LoadedModule& module = LoadedModule::Default()) {
  ComPtr<IFileManager> manager;
  EXPECT_EQ(module.Create(CLSID_FileManager, manager.put()), S_OK);
  return manager;
}

// A File for a path that must exist (the test stops at the caller's line otherwise).
inline HRESULT GetFileOf(IFileManager* manager, const std::wstring& path, ComPtr<IFile>* file) {
  const Bstr text(path);
  return manager->GetFile(text.get(), file->put());
}

// hr and the thread's error are those of a failed platform call: the system error's code and
// its text (one line end removed) after the lead-in.
inline ::testing::AssertionResult IsSystemError(HRESULT hr, DWORD error,
                                                const std::wstring& leadIn = L"") {
  const std::wstring expected = leadIn + SystemText(error);
  const ErrorFields reported = TakeError();
  if (hr == Win32Code(error) && reported.description == expected)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got 0x" << std::hex << static_cast<ULONG>(hr) << " \"" << reported.description
         << "\", expected 0x" << static_cast<ULONG>(Win32Code(error)) << " \"" << expected << "\"";
}

// hr is DISP_E_EXCEPTION with exactly this description on the thread.
inline ::testing::AssertionResult IsMessage(HRESULT hr, const std::wstring& expected) {
  const ErrorFields reported = TakeError();
  if (hr == DISP_E_EXCEPTION && reported.description == expected)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got 0x" << std::hex << static_cast<ULONG>(hr)
                                       << " \"" << reported.description << "\", expected \"" << expected
                                       << "\"";
}

// A file of the given size; large ones are sparse, so they cost no disk space.
inline void WriteSizedFile(const std::wstring& path, LONGLONG size) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = size;
  ::SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
  ::SetEndOfFile(h);
  ::CloseHandle(h);
}

// The text of a system error exactly as the system gives it, line end included.
inline std::wstring WholeSystemText(DWORD error) {
  char* buffer = nullptr;
  const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0x400, reinterpret_cast<char*>(&buffer), 0,
                                   nullptr);
  std::wstring text(n, L'\0');
  if (n) ::MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(n), text.data(), static_cast<int>(n));
  if (buffer) ::LocalFree(buffer);
  return text;
}

}  // namespace docket::test
