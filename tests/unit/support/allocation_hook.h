// Stands in for the module's malloc (its import from the C runtime, where its operator new ends
// up) while it lives: requests from a chosen size up fail, and the largest request is noted. The
// module itself is not changed for it; only this process's copy of its import table is.
#pragma once

#include "com/win.h"

#include <cstddef>

namespace docket::test {

class AllocationHook {
 public:
  explicit AllocationHook(HMODULE module);
  ~AllocationHook();
  AllocationHook(const AllocationHook&) = delete;
  AllocationHook& operator=(const AllocationHook&) = delete;

  bool installed() const { return slot_ != nullptr; }
  // From now on, a request for `bytes` bytes or more gets nothing.
  void FailRequestsFrom(size_t bytes);
  // The largest request since the hook went in (or since the last Reset).
  size_t largest() const;
  void Reset();

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace docket::test
