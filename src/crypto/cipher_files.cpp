#include "crypto/cipher_files.h"

#include "streams/write_fully.h"

namespace docket::crypto {

DWORD CipherInput::Open(const std::string& path) {
  file_.reset(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file_) return ::GetLastError();
  source_.file = file_.get();
  return 0;
}

DWORD CipherInput::Read(std::uint8_t* buffer, DWORD capacity, DWORD* got) {
  std::uint32_t read = 0;
  const DWORD error = reader_.Read(buffer, capacity, &read);
  *got = read;
  return error;
}

std::uint32_t CipherInput::Source::Read(std::uint8_t* dest, std::uint32_t size, std::uint32_t* got) {
  DWORD read = 0;
  const BOOL ok = ::ReadFile(file, dest, size, &read, nullptr);
  *got = read;
  return ok ? 0 : ::GetLastError();
}

std::uint32_t CipherInput::Source::Seek(std::uint64_t position) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(position);
  return ::SetFilePointerEx(file, to, nullptr, FILE_BEGIN) ? 0 : ::GetLastError();
}

DWORD CipherOutput::Open(const std::string& path) {
  file_.reset(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  return file_ ? 0 : ::GetLastError();
}

DWORD CipherOutput::Write(const std::uint8_t* data, DWORD size) {
  if (size == 0) return 0;
  return streams::WriteFully(reinterpret_cast<const char*>(data), size,
                             [this](const char* bytes, DWORD count, std::uint32_t* written) -> DWORD {
                               DWORD done = 0;
                               const BOOL ok = ::WriteFile(file_.get(), bytes, count, &done, nullptr);
                               *written = done;
                               written_ += done < count ? done : count;
                               return ok ? 0 : ::GetLastError();
                             });
}

}  // namespace docket::crypto
