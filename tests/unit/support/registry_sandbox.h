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
  PrivateClassesRoot() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    ::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, key_);
  }
  ~PrivateClassesRoot() {
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(key_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  PrivateClassesRoot(const PrivateClassesRoot&) = delete;
  PrivateClassesRoot& operator=(const PrivateClassesRoot&) = delete;

 private:
  const std::wstring path_ = L"Software\\DocketUnitTests\\ClassesRoot" + std::to_wstring(::GetCurrentProcessId());
  HKEY key_ = nullptr;
};

// HKCR\path's value (the default value for a null name); nullopt when absent.
inline std::optional<std::wstring> ClassesRootValue(const std::wstring& path, const wchar_t* name = nullptr) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size))
    return std::nullopt;
  return buffer;
}

inline bool ClassesRootKeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The policy key HKLM\SOFTWARE\Corvane Works\QF-Docket\Parameters, created empty for the test's
// duration and removed afterwards. Tests using it must run alone (their names start "Policy").
class PolicyKey {
 public:
  PolicyKey() {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPath);
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  ~PolicyKey() {
    ::RegCloseKey(key_);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPath);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Corvane Works\\QF-Docket");
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Corvane Works");
  }
  PolicyKey(const PolicyKey&) = delete;
  PolicyKey& operator=(const PolicyKey&) = delete;
  void SetDword(const wchar_t* name, DWORD value) { Set(name, REG_DWORD, &value, sizeof value); }
  void SetQword(const wchar_t* name, ULONGLONG value) { Set(name, REG_QWORD, &value, sizeof value); }

 private:
  static constexpr const wchar_t* kPath = L"SOFTWARE\\Corvane Works\\QF-Docket\\Parameters";
  void Set(const wchar_t* name, DWORD type, const void* value, DWORD size) {
    ::RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(value), size);
  }
  HKEY key_ = nullptr;
};

}  // namespace docket::test
