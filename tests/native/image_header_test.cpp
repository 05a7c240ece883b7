// The image header probe against files in memory: every format and its cut-short forms, the
// JPEG start-of-image search and marker walk at every piece boundary, read failures, a JPEG
// reaching past 4 GiB, and the committed seed images measured against a table worked out by hand.
#include "fsobjects/image_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using docket::image::ByteSource;
using docket::image::Dimensions;
using docket::image::ErrorNumber;
using docket::image::ProbeImage;
using docket::image::ProbeOutcome;
using docket::image::ProbeResult;

constexpr ErrorNumber kReadFault = 23;  // the platform's "data error (cyclic redundancy check)"

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}

  ErrorNumber ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count,
                     std::size_t* got) override {
    if (++reads == failAtRead) return kReadFault;
    const std::size_t at = static_cast<std::size_t>(std::min<std::uint64_t>(offset, bytes_.size()));
    *got = std::min(count, bytes_.size() - at);
    std::memcpy(buffer, bytes_.data() + at, *got);
    return 0;
  }

  int reads = 0;
  int failAtRead = 0;  // the read (counted from 1) that fails; 0 for none

 private:
  std::string bytes_;
};

std::string Le16(unsigned v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
std::string Le32(unsigned v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(unsigned v) { return {char(v >> 8 & 0xFF), char(v & 0xFF)}; }
std::string Be32(unsigned v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

std::string Gif(const char* version, unsigned w, unsigned h, unsigned char flags) {
  return std::string("GIF") + version + Le16(w) + Le16(h) + char(flags) + std::string(2, '\0');
}
std::string Bmp(unsigned w, unsigned h, unsigned bits) {
  return "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(w) + Le32(h) + Le16(1) + Le16(bits) +
         Le32(0);
}
std::string Png(unsigned w, unsigned h, unsigned depth, unsigned type) {
  return "\x89PNG\r\n\x1a\n" + Be32(13) + "IHDR" + Be32(w) + Be32(h) + char(depth) + char(type) +
         std::string(3, '\0') + Be32(0);
}
std::string Segment(unsigned char marker, const std::string& body) {
  return std::string{'\xFF', char(marker)} + Be16(unsigned(body.size()) + 2) + body;
}
std::string Frame(unsigned char marker, unsigned w, unsigned h, unsigned components) {
  return Segment(marker, std::string(1, 8) + Be16(h) + Be16(w) + char(components) +
                             std::string(3 * components, '\x11'));
}
const std::string kSoi = "\xFF\xD8";
const std::string kApp0 = Segment(0xE0, std::string("JFIF\0\x01\x01", 7) + std::string(7, '\0'));
std::string Jpeg(unsigned char marker, unsigned w, unsigned h, unsigned components) {
  return kSoi + kApp0 + Frame(marker, w, h, components) + "\xFF\xD9";
}

struct Case {
  const char* name;
  std::string bytes;
  ProbeOutcome outcome;
  Dimensions expected;
};

std::vector<Case> Cases() {
  using O = ProbeOutcome;
  const std::string baseline = Jpeg(0xC0, 640, 480, 3);
  return {
      {"empty file", "", O::kEmpty, {}},
      {"GIF87a, 3 bits", Gif("87a", 320, 200, 0xF7), O::kMeasured, {320, 200, 256}},
      {"GIF89a, 0 bits", Gif("89a", 320, 200, 0xF8), O::kMeasured, {320, 200, 2}},
      {"GIF cut short", Gif("89a", 320, 200, 0xF7).substr(0, 10), O::kMeasured, {}},
      {"GIF signature only", "GIF8", O::kMeasured, {}},
      {"GIF7 is no GIF", "GIF7a", O::kUnknownType, {}},
      {"BMP 8-bit", Bmp(16, 9, 8), O::kMeasured, {16, 9, 256}},
      {"BMP 24-bit", Bmp(16, 9, 24), O::kMeasured, {16, 9, 16777216}},
      {"BMP 32-bit", Bmp(16, 9, 32), O::kMeasured, {16, 9, 0}},
      {"BMP low 16 bits", Bmp(70000, unsigned(-200), 1), O::kMeasured, {4464, 65336, 2}},
      {"BMP cut short", Bmp(16, 9, 8).substr(0, 28), O::kMeasured, {}},
      {"BMP of two bytes", "BM", O::kMeasured, {}},
      {"PNG grey 8", Png(640, 480, 8, 0), O::kMeasured, {640, 480, 256}},
      {"PNG truecolour 8", Png(640, 480, 8, 2), O::kMeasured, {640, 480, 16777216}},
      {"PNG indexed 8", Png(640, 480, 8, 3), O::kMeasured, {640, 480, 256}},
      {"PNG grey+alpha 8", Png(640, 480, 8, 4), O::kMeasured, {640, 480, 65536}},
      {"PNG truecolour+alpha 8", Png(640, 480, 8, 6), O::kMeasured, {640, 480, 0}},
      {"PNG truecolour 16", Png(1, 1, 16, 2), O::kMeasured, {1, 1, 0}},
      {"PNG indexed 1", Png(1, 1, 1, 3), O::kMeasured, {1, 1, 2}},
      {"PNG unknown type", Png(640, 480, 8, 5), O::kMeasured, {640, 480, 0}},
      {"PNG low 16 bits", Png(70000, 65536, 8, 0), O::kMeasured, {4464, 0, 256}},
      {"PNG cut short", Png(640, 480, 8, 0).substr(0, 25), O::kMeasured, {}},
      {"JPEG baseline", baseline, O::kMeasured, {640, 480, 16777216}},
      {"JPEG greyscale", Jpeg(0xC0, 64, 32, 1), O::kMeasured, {64, 32, 256}},
      {"JPEG extended", Jpeg(0xC1, 64, 32, 1), O::kMeasured, {64, 32, 256}},
      {"JPEG progressive", Jpeg(0xC2, 64, 32, 3), O::kMeasured, {64, 32, 16777216}},
      {"JPEG lossless", Jpeg(0xC3, 64, 32, 2), O::kMeasured, {64, 32, 65536}},
      {"JPEG CMYK", Jpeg(0xC0, 64, 32, 4), O::kMeasured, {64, 32, 0}},
      {"JPEG arithmetic only", Jpeg(0xC9, 64, 32, 3), O::kMeasured, {}},
      {"JPEG fill bytes",
       kSoi + "\xFF\xFF\xFF" + Frame(0xC0, 5, 6, 1).substr(1),
       O::kMeasured,
       {5, 6, 256}},
      {"JPEG after leading data",
       "text\x01\xFF\xD8\x01" + baseline,
       O::kMeasured,
       {640, 480, 16777216}},
      {"JPEG match at the second FF", "\xFF" + baseline, O::kMeasured, {640, 480, 16777216}},
      {"JPEG after a zero byte", std::string("text\0", 5) + baseline, O::kUnknownType, {}},
      {"JPEG marker split by zero", std::string("\xFF\xD8\0\xFF", 4) + "\xD8", O::kUnknownType, {}},
      {"text", "Just some text, no image.\r\n", O::kUnknownType, {}},
      {"one byte", "\xFF", O::kUnknownType, {}},
      {"start of image only", "\xFF\xD8\xFF", O::kMeasured, {}},
      {"frame header cut short",
       baseline.substr(0, kSoi.size() + kApp0.size() + 9),
       O::kMeasured,
       {}},
      {"frame header just whole",
       baseline.substr(0, kSoi.size() + kApp0.size() + 10),
       O::kMeasured,
       {640, 480, 16777216}},
      {"segment length cut short", kSoi + "\xFF\xE1\x01", O::kMeasured, {}},
      {"segment past the end",
       kSoi + "\xFF\xE1\xFF\xF0" + std::string(10, '\x55') + Frame(0xC0, 1, 1, 1),
       O::kMeasured,
       {}},
      {"segment length 0",
       kSoi + "\xFF\xE1" + std::string(2, '\0') + "\xC0" + std::string(8, '\x02'),
       O::kMeasured,
       {}},
  };
}

void ExpectProbe(const Case& c, std::size_t pieceBytes) {
  MemorySource source(c.bytes);
  const ProbeResult result = ProbeImage(source, pieceBytes);
  const std::string where = std::string(c.name) + ", pieces of " + std::to_string(pieceBytes);
  EXPECT_EQ(result.outcome, c.outcome) << where;
  EXPECT_EQ(result.dimensions.width, c.expected.width) << where;
  EXPECT_EQ(result.dimensions.height, c.expected.height) << where;
  EXPECT_EQ(result.dimensions.colours, c.expected.colours) << where;
}

TEST(ImageProbe, MeasuresEveryFormatAndItsCutShortForms) {
  for (const Case& c : Cases()) ExpectProbe(c, docket::image::kReadPieceBytes);
}

// Small pieces put a piece boundary inside every marker, length and header the cases hold.
TEST(ImageProbe, PieceBoundariesChangeNothing) {
  for (std::size_t piece = 32; piece <= 48; ++piece)
    for (const Case& c : Cases()) ExpectProbe(c, piece);
}

TEST(ImageProbe, SegmentLengthZeroOrOneStillMovesForward) {
  // Length 0 resumes at the length's first byte (a 00 code), length 1 at its second.
  for (const char* length : {"\x00\x00", "\x00\x01"}) {
    MemorySource source(kSoi + "\xFF\xE1" + std::string(length, 2) + std::string(100, '\0'));
    EXPECT_EQ(ProbeImage(source).outcome, ProbeOutcome::kMeasured);
  }
}

TEST(ImageProbe, AFailedReadIsReportedWhereverItHappens) {
  // Pieces of 32: the first read takes the signature, later ones the walk past the segment.
  const std::string jpeg = kSoi + Segment(0xE1, std::string(200, '\x55')) + Frame(0xC0, 1, 1, 1);
  for (const std::string& bytes : {jpeg, Png(1, 1, 8, 0)}) {
    for (int failAt = 1;; ++failAt) {
      MemorySource source(bytes);
      source.failAtRead = failAt;
      const ProbeResult result = ProbeImage(source, 32);
      if (source.reads < failAt) break;  // every read has failed once
      EXPECT_EQ(result.outcome, ProbeOutcome::kReadFailed) << "read " << failAt;
      EXPECT_EQ(result.error, kReadFault);
      EXPECT_EQ(result.dimensions.width, 0u);
    }
  }
}

TEST(ImageProbe, TextWithoutZeroBytesIsSearchedToItsEndInPieces) {
  MemorySource source(std::string(100000, 'a'));
  EXPECT_EQ(ProbeImage(source).outcome, ProbeOutcome::kUnknownType);
  EXPECT_LE(source.reads, 100000 / 4096 + 2);
}

// A JPEG whose frame header lies past 4 GiB, behind 65,537 application segments of the largest
// length: made up on the fly, each read reaching only the headers its range touches.
class LongJpeg final : public ByteSource {
 public:
  static constexpr std::uint64_t kSegments = 65537;
  static constexpr std::uint64_t kStride = 65536;  // FF, code, length 65535 counting itself
  static constexpr std::uint64_t kFrameAt = 2 + kSegments * kStride;  // its FF
  static constexpr std::uint64_t kSize = kFrameAt + 20;

  ErrorNumber ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count,
                     std::size_t* got) override {
    ++reads;
    bytesRead += count;
    *got =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, kSize - std::min(offset, kSize)));
    std::memset(buffer, 0, *got);
    const std::string frame = Frame(0xC0, 4000, 3000, 3);
    for (std::uint64_t i = 0; i < *got; ++i) {
      const std::uint64_t at = offset + i;
      if (at < 2) {
        buffer[i] = at == 0 ? 0xFF : 0xD8;
      } else if (at >= kFrameAt) {
        buffer[i] = at - kFrameAt < frame.size() ? std::uint8_t(frame[at - kFrameAt]) : 0;
      } else if (const std::uint64_t r = (at - 2) % kStride; r < 4) {
        buffer[i] = r == 1 ? 0xE1 : 0xFF;
      } else {
        // Nothing else to place in the rest of this segment's payload.
        i += std::min<std::uint64_t>(kStride - r, *got - i) - 1;
      }
    }
    return 0;
  }

  std::uint64_t reads = 0;
  std::uint64_t bytesRead = 0;
};

TEST(ImageProbe, AJpegBeyondFourGibibytesIsWalkedBySkippingPayloads) {
  static_assert(LongJpeg::kFrameAt > (std::uint64_t{1} << 32));
  LongJpeg source;
  const ProbeResult result = ProbeImage(source);
  EXPECT_EQ(result.outcome, ProbeOutcome::kMeasured);
  EXPECT_EQ(result.dimensions.width, 4000u);
  EXPECT_EQ(result.dimensions.height, 3000u);
  EXPECT_EQ(result.dimensions.colours, 16777216u);
  // One piece per segment header, not the payloads.
  EXPECT_LE(source.reads, LongJpeg::kSegments + 2);
  EXPECT_LT(source.bytesRead, LongJpeg::kSize / 10);
}

// The seed images of the fuzz target, and what they measure: worked out from how each was made
// (tests/fuzz/image_header_seeds.py), never from the probe itself.
TEST(ImageProbe, MeasuresTheSeedImages) {
  using O = ProbeOutcome;
  const struct {
    const char* file;
    ProbeOutcome outcome;
    Dimensions expected;
  } seeds[] = {
      {"gif87a_3x2_2.gif", O::kMeasured, {3, 2, 2}},
      {"gif89a_5x4_8.gif", O::kMeasured, {5, 4, 8}},
      {"bmp8_2x2.bmp", O::kMeasured, {2, 2, 256}},
      {"bmp24_3x2.bmp", O::kMeasured, {3, 2, 16777216}},
      {"bmp32_2x3_topdown.bmp", O::kMeasured, {2, 65533, 0}},
      {"png_grey8_3x2.png", O::kMeasured, {3, 2, 256}},
      {"png_rgb8_3x2.png", O::kMeasured, {3, 2, 16777216}},
      {"png_indexed1_3x2.png", O::kMeasured, {3, 2, 2}},
      {"png_greyalpha8_3x2.png", O::kMeasured, {3, 2, 65536}},
      {"png_rgba8_3x2.png", O::kMeasured, {3, 2, 0}},
      {"png_grey16_3x2.png", O::kMeasured, {3, 2, 65536}},
      {"jpeg_baseline_rgb_16x8.jpg", O::kMeasured, {16, 8, 16777216}},
      {"jpeg_baseline_grey_8x8.jpg", O::kMeasured, {8, 8, 256}},
      {"jpeg_progressive_rgb_24x16.jpg", O::kMeasured, {24, 16, 16777216}},
      {"jpeg_arithmetic_rgb_8x8.jpg", O::kMeasured, {0, 0, 0}},
      {"jpeg_after_text_16x8.jpg", O::kMeasured, {16, 8, 16777216}},
      {"text.txt", O::kUnknownType, {}},
  };
  for (const auto& seed : seeds) {
    std::ifstream in(std::string(DOCKET_IMAGE_SEEDS) + "/" + seed.file, std::ios::binary);
    ASSERT_TRUE(in) << seed.file;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ExpectProbe({seed.file, bytes, seed.outcome, seed.expected}, docket::image::kReadPieceBytes);
  }
}

}  // namespace
