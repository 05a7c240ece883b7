// Test cases that need another system version run in a copy of this test program: Wine shows a
// program the version configured for its file name, so the copy is named for the run and marked
// with the version for it alone, leaving every other program in the prefix as it is.
#pragma once

#include "com/win.h"

#include <cwchar>
#include <process.h>
#include <string>

namespace docket::test {

// Runs the cases matching the GoogleTest filter in a copy of this program that sees Wine's
// `version` ("nt40", "win2k", "win98"...), reporting into this test's output. Returns the copy's
// exit code (0 when all its cases passed).
inline int RunCasesAsVersion(const wchar_t* version, const wchar_t* filter) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  // Beside the original, so that the copy finds the module under test as it does.
  const std::wstring name =
      L"docket_unit_" + std::wstring(version) + L"_" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
  const std::wstring copy = std::wstring(self, std::wcsrchr(self, L'\\') + 1) + name;
  const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
  const std::wstring filterArgument = L"--gtest_filter=" + std::wstring(filter);
  if (!::CopyFileW(self, copy.c_str(), FALSE)) return -1;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, version,
                    static_cast<DWORD>((std::wcslen(version) + 1) * sizeof(wchar_t)));
  ::SetEnvironmentVariableW(L"DOCKET_VERSION_CHILD", version);
  const intptr_t exitCode =
      _wspawnl(_P_WAIT, copy.c_str(), (L"\"" + copy + L"\"").c_str(), filterArgument.c_str(), nullptr);
  ::SetEnvironmentVariableW(L"DOCKET_VERSION_CHILD", nullptr);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  ::DeleteFileW(copy.c_str());
  return static_cast<int>(exitCode);
}

// The version this program was started for by RunCasesAsVersion; empty in the original.
inline std::wstring ChildVersion() {
  const wchar_t* mark = _wgetenv(L"DOCKET_VERSION_CHILD");
  return mark ? mark : L"";
}

}  // namespace docket::test
