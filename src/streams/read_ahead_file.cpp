#include "streams/read_ahead_file.h"

#include "streams/write_fully.h"

#include <algorithm>
#include <cstring>

namespace docket::streams {

static_assert(kWriteMadeNoProgress == ERROR_WRITE_FAULT);

DWORD ReadAheadFile::Open(const char* path, DWORD access, DWORD share, DWORD disposition) {
  Close();
  HANDLE h = ::CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return ::GetLastError();
  file_.reset(h);
  opened_ = true;
  return 0;
}

void ReadAheadFile::Close() {
  file_.reset();
  buffer_.reset();
  begin_ = end_ = 0;
}

DWORD ReadAheadFile::Refill() {
  if (!buffer_) buffer_.reset(new char[kBufferBytes]);
  const DWORD kept = Buffered();
  std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
  begin_ = 0;
  end_ = kept;
  DWORD read = 0;
  if (!::ReadFile(handle(), buffer_.get() + end_, kBufferBytes - end_, &read, nullptr))
    return ::GetLastError();
  end_ += read;
  return 0;
}

DWORD ReadAheadFile::Read(void* dest, DWORD size, DWORD* got) {
  *got = 0;
  if (const DWORD error = CheckOpened()) return error;
  char* out = static_cast<char*>(dest);
  if (size == 0) {
    char none;
    return ::ReadFile(handle(), &none, 0, got, nullptr) ? 0 : ::GetLastError();
  }
  if (size > kBufferBytes) {
    // Too big to go through the buffer: what it holds, then one read straight into place.
    const DWORD held = Buffered();
    DWORD read = 0;
    if (!::ReadFile(handle(), out + held, size - held, &read, nullptr)) return ::GetLastError();
    if (held > 0) std::memcpy(out, buffer_.get() + begin_, held);
    begin_ = end_ = 0;
    *got = held + read;
    return 0;
  }
  if (Buffered() < size) {
    if (const DWORD error = Refill()) return error;
  }
  const DWORD take = std::min(size, Buffered());
  if (take > 0) std::memcpy(out, buffer_.get() + begin_, take);
  begin_ += take;
  *got = take;
  return 0;
}

DWORD ReadAheadFile::Peek(DWORD want, const char** data, DWORD* size) {
  want = std::clamp<DWORD>(want, 1, kBufferBytes);
  // A read may bring fewer bytes than asked for; only one that brings none is the end.
  while (Buffered() < want) {
    const DWORD before = Buffered();
    if (const DWORD error = Refill()) return error;
    if (Buffered() == before) break;
  }
  *data = buffer_.get() + begin_;
  *size = Buffered();
  return 0;
}

DWORD ReadAheadFile::Write(const void* data, DWORD size) {
  if (const DWORD error = CheckOpened()) return error;
  if (const DWORD error = GiveBackReadAhead()) return error;
  return WriteFully(static_cast<const char*>(data), size,
                    [this](const char* bytes, DWORD count, std::uint32_t* written) -> DWORD {
                      DWORD done = 0;
                      const BOOL ok = ::WriteFile(handle(), bytes, count, &done, nullptr);
                      *written = done;
                      return ok ? 0 : ::GetLastError();
                    });
}

DWORD ReadAheadFile::MoveBy(LONGLONG distance) {
  if (const DWORD error = CheckOpened()) return error;
  LARGE_INTEGER move;
  move.QuadPart = distance - static_cast<LONGLONG>(Buffered());
  if (!::SetFilePointerEx(handle(), move, nullptr, FILE_CURRENT)) return ::GetLastError();
  begin_ = end_ = 0;
  return 0;
}

DWORD ReadAheadFile::MoveToEnd(ULONGLONG* size) {
  if (const DWORD error = CheckOpened()) return error;
  LARGE_INTEGER none{}, end{};
  if (!::SetFilePointerEx(handle(), none, &end, FILE_END)) return ::GetLastError();
  begin_ = end_ = 0;
  *size = static_cast<ULONGLONG>(end.QuadPart);
  return 0;
}

DWORD ReadAheadFile::Size(ULONGLONG* size) const {
  if (const DWORD error = CheckOpened()) return error;
  LARGE_INTEGER bytes{};
  if (!::GetFileSizeEx(handle(), &bytes)) return ::GetLastError();
  *size = static_cast<ULONGLONG>(bytes.QuadPart);
  return 0;
}

DWORD ReadAheadFile::LimitToRemaining(ULONGLONG* count) const {
  ULONGLONG size = 0;
  if (const DWORD error = Size(&size)) return error;
  LARGE_INTEGER none{}, platform{};
  if (!::SetFilePointerEx(handle(), none, &platform, FILE_CURRENT)) return ::GetLastError();
  const ULONGLONG reached = static_cast<ULONGLONG>(platform.QuadPart) - Buffered();
  const ULONGLONG left = size > reached ? size - reached : 0;
  *count = std::clamp<ULONGLONG>(left, 1, *count);
  return 0;
}

}  // namespace docket::streams
