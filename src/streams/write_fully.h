// Writing the whole of a buffer through a platform write that may take less than it was given.
// A write that reports success for part of the bytes is not the end of the story: the rest is
// written again, and a write that makes no progress at all is a failure, never a silent success.
// No Windows header here, so the loop is tested natively with a writer that misbehaves.
#pragma once

#include <algorithm>
#include <cstdint>

namespace docket::streams {

// The platform's ERROR_WRITE_FAULT: the device took none of the bytes and named no reason.
inline constexpr std::uint32_t kWriteMadeNoProgress = 29;

// writeOnce(const char* data, uint32_t size, uint32_t* written) returns 0 or a system error
// number. Returns 0 once every byte is written. A size of 0 still makes one call, so the platform
// still checks the handle.
template <class WriteOnce>
std::uint32_t WriteFully(const char* data, std::uint32_t size, WriteOnce&& writeOnce) {
  do {
    std::uint32_t written = 0;
    if (const std::uint32_t error = writeOnce(data, size, &written)) return error;
    if (size > 0 && written == 0) return kWriteMadeNoProgress;
    written = std::min(written, size);
    data += written;
    size -= written;
  } while (size > 0);
  return 0;
}

}  // namespace docket::streams
