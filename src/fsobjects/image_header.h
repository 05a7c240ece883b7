// The pixel size and colour count of a GIF, BMP, PNG or JPEG file, read from its header without
// decoding it. No Windows header: the File object supplies the bytes through a ByteSource and
// turns the outcome into its results and reports.
//
// The file is read in pieces of a fixed size, never whole: a JPEG's segments are stepped over by
// reading at the offset where the next one starts, so neither memory nor time grows with the
// payloads in between, and offsets are 64-bit, so files of 4 GiB and more are scanned alike.
#pragma once

#include <cstddef>
#include <cstdint>

namespace docket::image {

// Error numbers are the platform's system error numbers; 0 means success.
using ErrorNumber = std::uint32_t;

// The file being probed, read at any offset.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Copies up to `count` bytes, starting `offset` bytes into the file, to `buffer` and sets
  // `*got`: fewer only where the file ends, none at or past its end (neither is a failure).
  virtual ErrorNumber ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count,
                             std::size_t* got) = 0;
};

// What a header says; 0 where it says nothing that can be read.
struct Dimensions {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t colours = 0;  // 2 to the power of the bits per pixel, kept in 32 bits
};

enum class ProbeOutcome {
  kMeasured,     // the dimensions are final for the file as it was read
  kEmpty,        // the file has no bytes: nothing was measured, nothing is final
  kUnknownType,  // no known signature and no JPEG start-of-image marker
  kReadFailed,   // a read of the source failed with `error`
};

struct ProbeResult {
  ProbeOutcome outcome = ProbeOutcome::kMeasured;
  Dimensions dimensions;
  ErrorNumber error = 0;
};

// The size of the pieces read; also the only memory the probe takes.
inline constexpr std::size_t kReadPieceBytes = 4096;

// Probes the file behind `source`. `pieceBytes` (at least 32 are used) exists so that tests can
// put piece boundaries anywhere. Throws std::bad_alloc when the piece cannot be allocated.
//
// GIF ("GIF8"), BMP ("BM") and PNG (0x89 "PNG") are told by their first bytes and measured from
// fixed header offsets; anything else must hold the JPEG start-of-image bytes FF D8 FF before
// its first zero byte, and is measured from the first start-of-frame segment (C0 to C3) that the
// marker walk from there meets. A header that the file ends before, a JPEG without such a frame
// and a segment running past the end all measure as zeros.
ProbeResult ProbeImage(ByteSource& source, std::size_t pieceBytes = kReadPieceBytes);

}  // namespace docket::image
