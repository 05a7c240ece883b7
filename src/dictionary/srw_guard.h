// Scoped holds on a slim reader/writer lock: shared for readers, exclusive for writers.
#pragma once

#include "com/win.h"

namespace docket {

class SharedGuard {
 public:
  explicit SharedGuard(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockShared(&lock_); }
  ~SharedGuard() { ::ReleaseSRWLockShared(&lock_); }
  SharedGuard(const SharedGuard&) = delete;
  SharedGuard& operator=(const SharedGuard&) = delete;

 private:
  SRWLOCK& lock_;
};

class ExclusiveGuard {
 public:
  explicit ExclusiveGuard(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~ExclusiveGuard() { ::ReleaseSRWLockExclusive(&lock_); }
  ExclusiveGuard(const ExclusiveGuard&) = delete;
  ExclusiveGuard& operator=(const ExclusiveGuard&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace docket
