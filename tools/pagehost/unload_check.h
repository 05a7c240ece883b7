#pragma once
// Whether a component module has anything left alive: objects, class objects held by clients or
// server locks, as its own DllCanUnloadNow counts them.
#include <string>

namespace pagehost {

// Empty when the module is not loaded or answers S_OK; otherwise what is wrong, in a sentence.
std::wstring LiveObjectsOf(const std::wstring& moduleName);

}  // namespace pagehost
