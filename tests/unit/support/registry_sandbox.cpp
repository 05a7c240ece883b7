#include "support/registry_sandbox.h"

namespace docket::test {
namespace {
constexpr const wchar_t* kPolicyPath = L"SOFTWARE\\Corvane Works\\QF-Docket\\Parameters";
}

PrivateClassesRoot::PrivateClassesRoot()
    : path_(L"Software\\DocketUnitTests\\ClassesRoot" + std::to_wstring(::GetCurrentProcessId())) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  ::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, key_);
}

PrivateClassesRoot::~PrivateClassesRoot() {
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  ::RegCloseKey(key_);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

std::optional<std::wstring> ClassesRootValue(const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer);
}

bool ClassesRootKeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(key);
  return true;
}

PolicyKey::PolicyKey() {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPolicyPath);
  ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPolicyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
}

PolicyKey::~PolicyKey() {
  ::RegCloseKey(key_);
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPolicyPath);
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Corvane Works\\QF-Docket");
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Corvane Works");
}

void PolicyKey::SetDword(const wchar_t* name, DWORD value) {
  ::RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void PolicyKey::SetQword(const wchar_t* name, ULONGLONG value) {
  ::RegSetValueExW(key_, name, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace docket::test
