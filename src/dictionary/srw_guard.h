// Scoped holds on a slim reader/writer lock: shared for readers, exclusive for writers.
#pragma once

#include "com/win.h"

namespace docket {

template <void(WINAPI* Acquire)(PSRWLOCK), void(WINAPI* Release)(PSRWLOCK)>
class SrwGuard {
 public:
  explicit SrwGuard(SRWLOCK& lock) : lock_(lock) { Acquire(&lock_); }
  ~SrwGuard() { Release(&lock_); }
  SrwGuard(const SrwGuard&) = delete;
  SrwGuard& operator=(const SrwGuard&) = delete;

 private:
  SRWLOCK& lock_;
};

using SharedGuard = SrwGuard<::AcquireSRWLockShared, ::ReleaseSRWLockShared>;
using ExclusiveGuard = SrwGuard<::AcquireSRWLockExclusive, ::ReleaseSRWLockExclusive>;

}  // namespace docket
