#include "unload_check.h"

#include <windows.h>

#include "console_text.h"

namespace pagehost {

std::wstring LiveObjectsOf(const std::wstring& moduleName) {
    const HMODULE module = GetModuleHandleW(moduleName.c_str());
    if (module == nullptr) return {};  // never loaded: nothing of it can be alive
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto canUnloadNow = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    if (canUnloadNow == nullptr) return moduleName + L" has no DllCanUnloadNow";
    const HRESULT answer = canUnloadNow();
    if (answer == S_OK) return {};
    return moduleName + L" still has live objects or locks after the page ended (DllCanUnloadNow answered " +
           HexCode(answer) + L")";
}

}  // namespace pagehost
