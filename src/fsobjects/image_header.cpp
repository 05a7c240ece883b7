#include "fsobjects/image_header.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <vector>

namespace docket::image {
namespace {

// The most any one look at the file asks for at once: a JPEG frame header's 9 bytes, a BMP's 29.
constexpr std::size_t kLeastPieceBytes = 32;

// A piece of the file held in memory. Every look at the file goes through Bytes, which reads a
// new piece where the one held does not cover what is asked for; so no offset is ever read
// past the data the source gave.
class Piece {
 public:
  Piece(ByteSource& source, std::size_t bytes)
      : source_(source), buffer_(std::max(bytes, kLeastPieceBytes)) {}

  std::size_t size() const { return buffer_.size(); }

  // Up to `want` bytes (at most size()) from `offset` on, with their count in `*have`: fewer only
  // where the file ends or a read failed (then error() says so).
  const std::uint8_t* Bytes(std::uint64_t offset, std::size_t want, std::size_t* have) {
    want = std::min(want, buffer_.size());
    if (!Holds(offset, want)) Fill(offset);
    const std::uint64_t skip = offset - start_;
    if (skip >= length_) {
      *have = 0;
      return buffer_.data();
    }
    *have = static_cast<std::size_t>(std::min<std::uint64_t>(want, length_ - skip));
    return buffer_.data() + skip;
  }

  ErrorNumber error() const { return error_; }

 private:
  bool Holds(std::uint64_t offset, std::size_t want) const {
    if (!loaded_ || offset < start_) return false;
    // A piece shorter than the buffer met the file's end: it answers for everything after it.
    if (length_ < buffer_.size()) return true;
    const std::uint64_t skip = offset - start_;
    return skip <= length_ && length_ - skip >= want;
  }

  void Fill(std::uint64_t offset) {
    std::size_t got = 0;
    error_ = source_.ReadAt(offset, buffer_.data(), buffer_.size(), &got);
    loaded_ = error_ == 0;
    start_ = offset;
    length_ = loaded_ ? std::min(got, buffer_.size()) : 0;
  }

  ByteSource& source_;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t start_ = 0;  // the file offset of buffer_[0]
  std::size_t length_ = 0;   // how much of the buffer the last read filled
  bool loaded_ = false;
  ErrorNumber error_ = 0;
};

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | static_cast<std::uint32_t>(p[1]) << 8; }
std::uint32_t Be16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0]) << 8 | p[1]; }

// 2 to the power of `bits` in 32 bits: from 32 bits on, the low 32 bits of the count are 0.
std::uint32_t ColourCount(std::uint32_t bits) { return bits < 32 ? std::uint32_t{1} << bits : 0; }

ProbeResult Measured(const Dimensions& dimensions) {
  return {ProbeOutcome::kMeasured, dimensions, 0};
}
ProbeResult Failed(ErrorNumber error) { return {ProbeOutcome::kReadFailed, {}, error}; }

// BMP and PNG keep 32-bit sizes; only their low 16 bits (the last two bytes of a PNG's
// big-endian value, the first two of a BMP's little-endian one) are taken.
Dimensions MeasureGif(const std::uint8_t* h) {
  return {Le16(h + 6), Le16(h + 8), ColourCount((h[10] & 7u) + 1)};
}
Dimensions MeasureBmp(const std::uint8_t* h) {
  return {Le16(h + 18), Le16(h + 22), ColourCount(h[28])};
}
Dimensions MeasurePng(const std::uint8_t* h) {
  // Samples per pixel by colour type: greyscale 0, truecolour 2, indexed 3, greyscale with
  // alpha 4, truecolour with alpha 6; 0 for a type not known, which measures no colours.
  constexpr std::uint32_t kSamples[] = {1, 0, 3, 1, 2, 0, 4};
  const std::uint32_t samples = h[25] < std::size(kSamples) ? kSamples[h[25]] : 0;
  return {Be16(h + 18), Be16(h + 22), samples ? ColourCount(samples * h[24]) : 0};
}

struct FixedHeader {
  const char* signature;
  std::size_t signatureBytes;
  std::size_t headerBytes;  // from the start of the file to the last byte measured
  Dimensions (*measure)(const std::uint8_t* header);
};

// In the order they are tried.
constexpr FixedHeader kFixedHeaders[] = {
    {"GIF8", 4, 11, MeasureGif},
    {"BM", 2, 29, MeasureBmp},
    {"\x89PNG", 4, 26, MeasurePng},
};

const FixedHeader* Recognise(const std::uint8_t* head, std::size_t have) {
  for (const FixedHeader& format : kFixedHeaders) {
    if (have >= format.signatureBytes &&
        std::memcmp(head, format.signature, format.signatureBytes) == 0)
      return &format;
  }
  return nullptr;
}

ProbeResult MeasureFixed(Piece& piece, const FixedHeader& format) {
  std::size_t have = 0;
  const std::uint8_t* header = piece.Bytes(0, format.headerBytes, &have);
  if (piece.error()) return Failed(piece.error());
  // A file that ends inside its header has nothing to say beyond its signature.
  if (have < format.headerBytes) return Measured({});
  return Measured(format.measure(header));
}

// The offset of the first FF D8 FF that lies wholly before the file's first zero byte; nothing
// when there is none (or when a read failed: see piece.error()).
std::optional<std::uint64_t> FindStartOfImage(Piece& piece) {
  int matched = 0;  // how many bytes of FF D8 FF end right before `offset + i`
  for (std::uint64_t offset = 0;;) {
    std::size_t have = 0;
    const std::uint8_t* bytes = piece.Bytes(offset, piece.size(), &have);
    if (have == 0) return std::nullopt;
    for (std::size_t i = 0; i < have; ++i) {
      const std::uint8_t b = bytes[i];
      if (b == 0) return std::nullopt;
      if (matched == 2 && b == 0xFF) return offset + i - 2;
      matched = b == 0xFF ? 1 : (matched == 1 && b == 0xD8 ? 2 : 0);
    }
    offset += have;
  }
}

// Walks the markers from the byte after FF D8: FF bytes are fill, the next byte is a marker
// code. A start-of-frame code (C0 to C3) is measured; any other code is followed by a 16-bit
// big-endian length that counts itself, and the walk resumes after the segment. Every step moves
// forward by at least one byte, so the walk ends.
ProbeResult MeasureJpeg(Piece& piece) {
  const std::optional<std::uint64_t> start = FindStartOfImage(piece);
  if (piece.error()) return Failed(piece.error());
  if (!start) return {ProbeOutcome::kUnknownType, {}, 0};
  std::uint64_t offset = *start + 2;
  for (;;) {
    std::size_t have = 0;
    const std::uint8_t* code = piece.Bytes(offset, 1, &have);
    if (have == 0) break;
    if (*code == 0xFF) {
      ++offset;
      continue;
    }
    if (*code >= 0xC0 && *code <= 0xC3) {
      const std::uint8_t* frame = piece.Bytes(offset, 9, &have);
      if (have < 9) break;
      return Measured({Be16(frame + 6), Be16(frame + 4), ColourCount(8u * frame[8])});
    }
    const std::uint8_t* segment = piece.Bytes(offset, 3, &have);
    if (have < 3) break;
    offset += Be16(segment + 1) + 1;
  }
  // The walk met the file's end: measured, with nothing found.
  if (piece.error()) return Failed(piece.error());
  return Measured({});
}

}  // namespace

ProbeResult ProbeImage(ByteSource& source, std::size_t pieceBytes) {
  Piece piece(source, pieceBytes);
  std::size_t have = 0;
  const std::uint8_t* head = piece.Bytes(0, 4, &have);
  if (piece.error()) return Failed(piece.error());
  if (have == 0) return {ProbeOutcome::kEmpty, {}, 0};
  if (const FixedHeader* format = Recognise(head, have)) return MeasureFixed(piece, *format);
  return MeasureJpeg(piece);
}

}  // namespace docket::image
