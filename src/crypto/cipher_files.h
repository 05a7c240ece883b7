// The two files of an encryption or decryption. The input is read in large pieces with the
// failures of 128-byte reads (see chunked_reader.h); the output is written in order with a count
// of the bytes that reached it, so that a failed write can tell where it failed. Operations return
// 0 or the system error number; the messages are the caller's.
#pragma once

#include "com/handles.h"
#include "com/win.h"
#include "crypto/block_file_cipher.h"
#include "crypto/chunked_reader.h"

#include <cstdint>
#include <string>

namespace docket::crypto {

class CipherInput {
 public:
  // Opens for reading, shared with readers only: nobody writes to the file meanwhile, and the
  // output cannot be the same file.
  DWORD Open(const std::string& path);
  // Up to `capacity` bytes (a multiple of the chunk); `*got` is 0 only at the end of the input.
  DWORD Read(std::uint8_t* buffer, DWORD capacity, DWORD* got);

 private:
  struct Source {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::uint32_t Read(std::uint8_t* dest, std::uint32_t size, std::uint32_t* got);
    std::uint32_t Seek(std::uint64_t position);
  };
  com::UniqueFile file_;
  Source source_;
  ChunkedReader<Source> reader_{source_, BlockFileCipher::kChunkBytes};
};

class CipherOutput {
 public:
  // Creates the file, or replaces an existing one, for this process alone.
  DWORD Open(const std::string& path);
  DWORD Write(const std::uint8_t* data, DWORD size);
  // Bytes written so far: after a failed write, where it failed.
  std::uint64_t written() const { return written_; }

 private:
  com::UniqueFile file_;
  std::uint64_t written_ = 0;
};

}  // namespace docket::crypto
