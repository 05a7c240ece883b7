// The administrator's switches, read once when the module is loaded into a process.
#pragma once

#include "com/win.h"

namespace docket {

struct PolicyFlags {
  DWORD disableAcl = 0;
  DWORD disableLogonUser = 0;
  DWORD disableRegisterDll = 0;
  DWORD disableDelete = 0;
};

class Policy {
 public:
  // Reads HKLM\SOFTWARE\Corvane Works\QF-Docket\Parameters; called once at process attach,
  // before any object exists. Nothing is reported: an unreadable key or value leaves defaults.
  static void Load();
  static const PolicyFlags& Flags() { return flags_; }
  static bool DeleteDisabled() { return flags_.disableDelete != 0; }
  static bool RegisterDllDisabled() { return flags_.disableRegisterDll != 0; }

  // The refusal of a guarded operation: the fixed message with E_ACCESSDENIED.
  static HRESULT Refuse(REFCLSID clsid);

 private:
  static inline PolicyFlags flags_{};
};

}  // namespace docket
