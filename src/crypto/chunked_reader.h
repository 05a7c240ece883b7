// Reading a file cipher's input in large pieces while failing exactly where reading it in
// 128-byte chunks would. A large read that fails is read again from where it started, chunk by
// chunk: the chunks that can be read are delivered, and the failure comes with the next read,
// at the chunk that a reader of single chunks meets it at. So the output written before a failed
// read, and the failure itself, do not depend on the size of the reads.
// No platform header here: the source is a parameter, and the tests give it one that fails.
#pragma once

#include <cstdint>
#include <utility>

namespace docket::crypto {

// Source: std::uint32_t Read(std::uint8_t* dest, std::uint32_t size, std::uint32_t* got) and
// std::uint32_t Seek(std::uint64_t position), each returning 0 or a system error number.
template <class Source>
class ChunkedReader {
 public:
  ChunkedReader(Source& source, std::uint32_t chunkBytes) : source_(source), chunkBytes_(chunkBytes) {}

  // Up to `capacity` bytes into `buffer` (`*got` of them, 0 only at the end of the input).
  // Returns 0 or the system error of the read that failed.
  std::uint32_t Read(std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* got) {
    *got = 0;
    if (pendingError_ != 0) return std::exchange(pendingError_, 0);
    const std::uint32_t error = source_.Read(buffer, capacity, got);
    if (error == 0) {
      position_ += *got;
      return 0;
    }
    *got = 0;
    if (source_.Seek(position_) != 0) return error;
    while (*got < capacity) {
      const std::uint32_t want = capacity - *got < chunkBytes_ ? capacity - *got : chunkBytes_;
      std::uint32_t read = 0;
      pendingError_ = source_.Read(buffer + *got, want, &read);
      if (pendingError_ != 0 || read == 0) break;
      *got += read;
    }
    position_ += *got;
    return *got == 0 ? std::exchange(pendingError_, 0) : 0;
  }

 private:
  Source& source_;
  const std::uint32_t chunkBytes_;
  std::uint64_t position_ = 0;     // bytes delivered so far
  std::uint32_t pendingError_ = 0;  // a failure met chunk by chunk, due with the next read
};

}  // namespace docket::crypto
