#include "support/version_child.h"

#include "com/win.h"

#include <cwchar>
#include <process.h>

namespace docket::test {
namespace {
constexpr wchar_t kChildMark[] = L"DOCKET_VERSION_CHILD";
}

int RunCasesAsVersion(const wchar_t* version, const wchar_t* filter) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  // Beside the original, so that the copy finds the module under test as it does.
  const std::wstring name = L"docket_unit_" + std::wstring(version) + L"_" +
                            std::to_wstring(::GetCurrentProcessId()) + L".exe";
  const std::wstring copy = std::wstring(self, std::wcsrchr(self, L'\\') + 1) + name;
  if (!::CopyFileW(self, copy.c_str(), FALSE)) return -1;
  const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, version,
                    static_cast<DWORD>((std::wcslen(version) + 1) * sizeof(wchar_t)));
  ::SetEnvironmentVariableW(kChildMark, version);
  const std::wstring filterArgument = L"--gtest_filter=" + std::wstring(filter);
  const intptr_t exitCode = _wspawnl(_P_WAIT, copy.c_str(), (L"\"" + copy + L"\"").c_str(),
                                     filterArgument.c_str(), nullptr);
  ::SetEnvironmentVariableW(kChildMark, nullptr);
  ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  ::DeleteFileW(copy.c_str());
  return static_cast<int>(exitCode);
}

std::wstring ChildVersion() {
  const wchar_t* mark = _wgetenv(kChildMark);
  return mark ? mark : L"";
}

}  // namespace docket::test
