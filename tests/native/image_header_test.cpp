// The image probe on the committed sample images of every format and kind at every piece boundary,
// and on files too large to hold.
#include "fsobjects/image_header.h"

#include "memory_sources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

namespace {

using namespace docket::image;
using O = ProbeOutcome;

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(DOCKET_IMAGE_SEEDS) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

auto Seen(const ProbeResult& r) {
  return std::tuple(r.outcome, r.dimensions.width, r.dimensions.height, r.dimensions.colours);
}

// Values worked out by hand. Headers past 16 bits, other frame kinds and the walk's edges (cut
// short, fill bytes, a zero byte before the marker) are seeds of the fuzz target, which holds them
// to a plain reading of the whole file.
const std::pair<const char*, Dimensions> kSamples[] = {
    {"gif87a_3x2_2.gif", {3, 2, 2}},
    {"gif89a_5x4_8.gif", {5, 4, 8}},
    {"bmp8_2x2.bmp", {2, 2, 256}},
    {"bmp24_3x2.bmp", {3, 2, 16777216}},
    {"bmp32_2x3_topdown.bmp", {2, 65533, 0}},  // height -3, its low 16 bits
    {"png_grey8_3x2.png", {3, 2, 256}},
    {"png_rgb8_3x2.png", {3, 2, 16777216}},
    {"png_indexed1_3x2.png", {3, 2, 2}},
    {"png_greyalpha8_3x2.png", {3, 2, 65536}},
    {"png_rgba8_3x2.png", {3, 2, 0}},
    {"png_grey16_3x2.png", {3, 2, 65536}},
    {"jpeg_baseline_rgb_16x8.jpg", {16, 8, 16777216}},
    {"jpeg_baseline_grey_8x8.jpg", {8, 8, 256}},
    {"jpeg_progressive_rgb_24x16.jpg", {24, 16, 16777216}},
    {"jpeg_arithmetic_rgb_8x8.jpg", {0, 0, 0}},
    {"jpeg_after_text_16x8.jpg", {16, 8, 16777216}},
};

// Pieces of 32 bytes and a few more put a boundary inside every marker, length and header.
TEST(ImageProbe, MeasuresEverySampleWhereverThePiecesEnd) {
  for (const std::size_t piece : {kReadPieceBytes, std::size_t{32}, std::size_t{33}, std::size_t{37}, std::size_t{41}}) {
    for (const auto& [name, expected] : kSamples) {
      memory_sources::Bytes source(Sample(name));
      EXPECT_EQ(Seen(ProbeImage(source, piece)), Seen({O::kMeasured, expected, 0})) << name << ", pieces of " << piece;
    }
  }
}

// A failed read at any point is the fuzz target's.
TEST(ImageProbe, TextIsSearchedToItsEndInPieces) {
  memory_sources::Bytes text(std::string(100000, 'a'));  // no zero byte to stop at
  EXPECT_EQ(ProbeImage(text).outcome, O::kUnknownType);
  EXPECT_LE(text.reads, 100000 / 4096 + 2);
}

// A JPEG whose frame header (4000 by 3000, 3 components) lies past 4 GiB, behind 65,537
// application segments of the largest length; made up as it is read.
class LongJpeg final : public ByteSource {
 public:
  static constexpr std::uint64_t kSegments = 65537, kStride = 65536;  // FF, code, length 65535
  static constexpr std::uint64_t kFrameAt = 2 + kSegments * kStride, kSize = kFrameAt + 12;

  ErrorNumber ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count,
                     std::size_t* got) override {
    ++reads;
    *got = static_cast<std::size_t>(std::min(count, kSize - std::min(offset, kSize)));
    static const std::string frame("\xFF\xC0\x00\x11\x08\x0B\xB8\x0F\xA0\x03\0\0", 12);
    for (std::size_t i = 0; i < *got; ++i) {
      const std::uint64_t at = offset + i, r = (at - 2) % kStride;
      buffer[i] = at < 2 ? "\xFF\xD8"[at] : at >= kFrameAt ? frame[at - kFrameAt] : r == 1 ? 0xE1 : r < 4 ? 0xFF : 0;
    }
    return 0;
  }
  std::uint64_t reads = 0;
};

TEST(ImageProbe, AJpegPastFourGibibytesIsWalkedOnePieceASegment) {
  LongJpeg source;
  EXPECT_EQ(Seen(ProbeImage(source)), Seen({O::kMeasured, {4000, 3000, 16777216}, 0}));
  EXPECT_LE(source.reads, LongJpeg::kSegments + 2);
}

}  // namespace
