// Registry set-ups for tests: a private HKEY_CLASSES_ROOT for this process, and the
// administrator's policy key.
#pragma once

#include "com/win.h"

#include <optional>
#include <string>

namespace docket::test {

// Points this process's HKEY_CLASSES_ROOT at an empty private key until destroyed, so that
// registration can be tested without touching the real registration.
class PrivateClassesRoot {
 public:
  PrivateClassesRoot();
  ~PrivateClassesRoot();
  PrivateClassesRoot(const PrivateClassesRoot&) = delete;
  PrivateClassesRoot& operator=(const PrivateClassesRoot&) = delete;

 private:
  std::wstring path_;
  HKEY key_ = nullptr;
};

// Reads HKCR\path's value (default value for a null name); nullopt when absent.
std::optional<std::wstring> ClassesRootValue(const std::wstring& path, const wchar_t* name = nullptr);
bool ClassesRootKeyExists(const std::wstring& path);

// The policy key HKLM\SOFTWARE\Corvane Works\QF-Docket\Parameters, created empty for the test's
// duration and removed afterwards. Tests using it must run alone (their names start "Policy").
class PolicyKey {
 public:
  PolicyKey();
  ~PolicyKey();
  PolicyKey(const PolicyKey&) = delete;
  PolicyKey& operator=(const PolicyKey&) = delete;
  void SetDword(const wchar_t* name, DWORD value);
  void SetQword(const wchar_t* name, ULONGLONG value);

 private:
  HKEY key_ = nullptr;
};

}  // namespace docket::test
