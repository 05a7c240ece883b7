// Any bytes as an image file: the probe, reading in pieces of any size, measures exactly what a
// plain reading of the whole file in memory measures, or reports the read that failed.
#include "fsobjects/image_header.h"

#include "../native/memory_sources.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

using namespace docket::image;

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }
std::uint32_t Be16(const std::uint8_t* p) { return p[0] << 8 | p[1]; }
std::uint32_t Colours(std::uint32_t bits) { return bits < 32 ? 1u << bits : 0; }

// The same rules over the whole file at once, written as plainly as they read.
Dimensions WholeFileReading(const std::uint8_t* d, std::size_t n, ProbeOutcome* outcome) {
  *outcome = n == 0 ? ProbeOutcome::kEmpty : ProbeOutcome::kMeasured;
  if (n >= 4 && std::memcmp(d, "GIF8", 4) == 0)
    return n < 11 ? Dimensions{} : Dimensions{Le16(d + 6), Le16(d + 8), Colours((d[10] & 7) + 1)};
  if (n >= 2 && d[0] == 'B' && d[1] == 'M')
    return n < 29 ? Dimensions{} : Dimensions{Le16(d + 18), Le16(d + 22), Colours(d[28])};
  if (n >= 4 && std::memcmp(d, "\x89PNG", 4) == 0) {
    if (n < 26) return {};
    const std::uint32_t factors[] = {1, 0, 3, 1, 2, 0, 4};
    const std::uint32_t factor = d[25] < 7 ? factors[d[25]] : 0;
    return {Be16(d + 18), Be16(d + 22), factor ? Colours(factor * d[24]) : 0};
  }
  const std::uint8_t* firstZero = std::find(d, d + n, 0);
  const std::uint8_t marker[] = {0xFF, 0xD8, 0xFF};
  const std::uint8_t* soi = std::search(d, firstZero, marker, marker + 3);
  if (soi == firstZero) {
    if (n > 0) *outcome = ProbeOutcome::kUnknownType;
    return {};
  }
  for (std::size_t q = static_cast<std::size_t>(soi - d) + 2; q < n;) {
    if (d[q] == 0xFF) {
      ++q;
    } else if (d[q] >= 0xC0 && d[q] <= 0xC3) {
      return q + 8 >= n ? Dimensions{} : Dimensions{Be16(d + q + 6), Be16(d + q + 4), Colours(8u * d[q + 8])};
    } else {
      if (q + 2 >= n) break;
      q += Be16(d + q + 1) + 1;
    }
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ProbeOutcome outcome;
  const Dimensions expected = WholeFileReading(data, size, &outcome);
  for (const std::size_t piece : {kReadPieceBytes, std::size_t{1}}) {
    memory_sources::Bytes source(std::string(reinterpret_cast<const char*>(data), size));
    const ProbeResult r = ProbeImage(source, piece);
    FUZZ_CHECK(r.outcome == outcome && r.error == 0 && r.dimensions.width == expected.width &&
               r.dimensions.height == expected.height && r.dimensions.colours == expected.colours);
    // Whichever of those reads fails, the probe says so.
    for (int failAt = 1; failAt <= source.reads; ++failAt) {
      memory_sources::Bytes failing(std::string(reinterpret_cast<const char*>(data), size));
      failing.failAtRead = failAt;
      const ProbeResult f = ProbeImage(failing, piece);
      FUZZ_CHECK(f.outcome == ProbeOutcome::kReadFailed && f.error == 23);
    }
  }
  return 0;
}
