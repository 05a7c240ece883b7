// The stream's open file: the handle's owner, with a read-ahead buffer in front of it.
//
// Text is read in small pieces (a 128-character chunk per line at least), and a system call per
// piece would cost more than the rest of the work. Reads are therefore served from a buffer that
// one large read refills; every other operation first moves the platform's position back over
// the bytes read ahead but not yet handed out, so the file sees the position the caller has
// reached. A read hands out what one platform read of the same size would have: its size, or
// what is left of the file, and nothing only at the end.
//
// Every operation returns 0 or the system error number; reporting is the caller's business.
// After Close the handle is null, so every operation fails with the platform's invalid-handle
// error. Before any open every operation fails with kNeverOpened: the stream stands for no file.
#pragma once

#include "com/handles.h"
#include "com/win.h"

#include <memory>

namespace docket::streams {

class ReadAheadFile {
 public:
  // Not a system error number (bit 29 marks numbers that an application defines).
  static constexpr DWORD kNeverOpened = 0x20000000;

  DWORD Open(const char* path, DWORD access, DWORD share, DWORD disposition);
  void Close();

  // Up to `size` bytes into `dest` (`*got` of them); a size of 0 only checks the handle.
  DWORD Read(void* dest, DWORD size, DWORD* got);
  // The bytes read ahead and not yet handed out, without handing them out: at least `want` of
  // them (up to the buffer's size) unless the file ends first. Consume hands out the first `count`.
  DWORD Peek(DWORD want, const char** data, DWORD* size);
  void Consume(DWORD count) { begin_ += count; }
  // All of the bytes, or an error (a write that stops short is one).
  DWORD Write(const void* data, DWORD size);
  // Moves the position by `distance` bytes from where the reads stopped.
  DWORD MoveBy(LONGLONG distance);
  // Moves to the end; `*size` is the file's size.
  DWORD MoveToEnd(ULONGLONG* size);
  DWORD Size(ULONGLONG* size) const;
  // Lowers a read's `*count` (not 0) to the bytes between where the reads stopped and the end of
  // the file, so that a large count on a small file asks for no more memory than it can fill. Not
  // below one: at the end a read still asks for a byte, and finding none marks the end.
  DWORD LimitToRemaining(ULONGLONG* count) const;

 private:
  static constexpr DWORD kBufferBytes = 64 * 1024;

  HANDLE handle() const { return file_ ? file_.get() : nullptr; }
  DWORD CheckOpened() const { return opened_ ? 0 : kNeverOpened; }
  DWORD Buffered() const { return end_ - begin_; }
  // Refills the buffer behind what it still holds, with one platform read.
  DWORD Refill();
  // Gives the bytes read ahead back to the file before anything but a read.
  DWORD GiveBackReadAhead() { return Buffered() == 0 ? 0 : MoveBy(0); }

  com::UniqueFile file_;
  bool opened_ = false;             // an open has succeeded once
  std::unique_ptr<char[]> buffer_;  // allocated by the first read
  DWORD begin_ = 0;                 // next byte to hand out
  DWORD end_ = 0;                   // end of the bytes read ahead
};

}  // namespace docket::streams
