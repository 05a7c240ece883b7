// Holds a stream's own lock for the length of one call. A stream belongs to the page that opened
// it, but the module's threading model lets any thread call any object; the lock keeps a second
// thread from tearing the read-ahead buffer or the pending text apart in mid-call.
#pragma once

#include "com/win.h"

namespace docket::streams {

class StreamLock {
 public:
  explicit StreamLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~StreamLock() { ::ReleaseSRWLockExclusive(&lock_); }
  StreamLock(const StreamLock&) = delete;
  StreamLock& operator=(const StreamLock&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace docket::streams
