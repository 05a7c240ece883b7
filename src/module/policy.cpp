#include "module/policy.h"

#include "com/handles.h"
#include "module/error_report.h"

namespace docket {
namespace {

// Reads a value of at most 4 bytes into `flag`, whatever its registry type; anything absent,
// longer or unreadable leaves `fallback`.
void ReadFlag(HKEY key, const wchar_t* name, DWORD fallback, DWORD* flag) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
      ERROR_SUCCESS) {
    *flag = value;
  } else {
    *flag = fallback;
  }
}

}  // namespace

void Policy::Load() {
  flags_ = PolicyFlags{};
  com::UniqueKey key;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Corvane Works\\QF-Docket\\Parameters", 0,
                      KEY_READ, key.put()) != ERROR_SUCCESS)
    return;  // no key: nothing is switched off
  ReadFlag(key.get(), L"DisableACL", 0, &flags_.disableAcl);
  ReadFlag(key.get(), L"DisableLogonUser", 0, &flags_.disableLogonUser);
  // With the key present, registering other components stays off unless explicitly allowed.
  ReadFlag(key.get(), L"DisableRegisterDLL", 1, &flags_.disableRegisterDll);
  ReadFlag(key.get(), L"DisableDelete", 0, &flags_.disableDelete);
}

HRESULT Policy::Refuse(REFCLSID clsid) {
  return ReportError(clsid,
                     L"This option has been disabled in the registry please see your "
                     L"administrator for more information.",
                     E_ACCESSDENIED);
}

}  // namespace docket
