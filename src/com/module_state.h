// Process-wide state of the module: its instance handle and the count of everything that keeps it
// loaded (live objects, class objects held by clients, server locks).
#pragma once

#include "com/win.h"

#include <string>

namespace docket::com {

class ModuleState {
 public:
  static void SetInstance(HINSTANCE instance) { instance_ = instance; }
  static HINSTANCE Instance() { return instance_; }
  // The module's full file path, as the loader reports it.
  static std::wstring Path();

  static void Lock() { ::InterlockedIncrement(&lockCount_); }
  static void Unlock() { ::InterlockedDecrement(&lockCount_); }
  static LONG LockCount() { return lockCount_; }

 private:
  static inline HINSTANCE instance_ = nullptr;
  static inline volatile LONG lockCount_ = 0;
};

}  // namespace docket::com
