// A stream's own lock, held for the length of one call. A stream belongs to the page that opened
// it, but the module's threading model lets any thread call any object; the lock keeps a second
// thread from tearing the read-ahead buffer or the pending text apart in mid-call.
//
// A critical section rather than the object's slim reader/writer lock: every call takes it once
// and nothing ever reads in parallel, and Wine's slim lock costs several times more per
// acquisition, which shows in a loop that reads a file line by line.
#pragma once

#include "com/win.h"

namespace docket::streams {

class StreamMutex {
 public:
  StreamMutex() { ::InitializeCriticalSectionEx(&section_, 0, CRITICAL_SECTION_NO_DEBUG_INFO); }
  ~StreamMutex() { ::DeleteCriticalSection(&section_); }
  StreamMutex(const StreamMutex&) = delete;
  StreamMutex& operator=(const StreamMutex&) = delete;

 private:
  friend class StreamLock;
  CRITICAL_SECTION section_;
};

class StreamLock {
 public:
  explicit StreamLock(StreamMutex& mutex) : section_(mutex.section_) { ::EnterCriticalSection(&section_); }
  ~StreamLock() { ::LeaveCriticalSection(&section_); }
  StreamLock(const StreamLock&) = delete;
  StreamLock& operator=(const StreamLock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

}  // namespace docket::streams
