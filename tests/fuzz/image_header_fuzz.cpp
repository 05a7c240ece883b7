// Any bytes as an image file: the probe, reading in pieces of any size, measures exactly what a
// plain reading of the whole file in memory measures.
#include "fsobjects/image_header.h"

#include "../native/memory_sources.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace docket::image;

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }
std::uint32_t Be16(const std::uint8_t* p) { return p[0] << 8 | p[1]; }
std::uint32_t Colours(std::uint32_t bits) { return bits < 32 ? 1u << bits : 0; }

// The same rules over the whole file at once, written as plainly as they read.
ProbeResult WholeFileReading(const std::uint8_t* d, std::size_t n) {
  const ProbeResult nothing{ProbeOutcome::kMeasured, {}, 0};
  if (n == 0) return {ProbeOutcome::kEmpty, {}, 0};
  if (n >= 4 && std::memcmp(d, "GIF8", 4) == 0)
    return n < 11 ? nothing
                  : ProbeResult{ProbeOutcome::kMeasured,
                                {Le16(d + 6), Le16(d + 8), Colours((d[10] & 7) + 1)},
                                0};
  if (n >= 2 && d[0] == 'B' && d[1] == 'M')
    return n < 29 ? nothing
                  : ProbeResult{
                        ProbeOutcome::kMeasured, {Le16(d + 18), Le16(d + 22), Colours(d[28])}, 0};
  if (n >= 4 && std::memcmp(d, "\x89PNG", 4) == 0) {
    if (n < 26) return nothing;
    const std::uint32_t factors[] = {1, 0, 3, 1, 2, 0, 4};
    const std::uint32_t factor = d[25] < 7 ? factors[d[25]] : 0;
    return {ProbeOutcome::kMeasured,
            {Be16(d + 18), Be16(d + 22), factor ? Colours(factor * d[24]) : 0},
            0};
  }
  const std::uint8_t* firstZero = std::find(d, d + n, 0);
  const std::uint8_t marker[] = {0xFF, 0xD8, 0xFF};
  const std::uint8_t* soi = std::search(d, firstZero, marker, marker + 3);
  if (soi == firstZero) return {ProbeOutcome::kUnknownType, {}, 0};
  for (std::size_t q = static_cast<std::size_t>(soi - d) + 2; q < n;) {
    if (d[q] == 0xFF) {
      ++q;
    } else if (d[q] >= 0xC0 && d[q] <= 0xC3) {
      if (q + 8 >= n) break;
      return {
          ProbeOutcome::kMeasured, {Be16(d + q + 6), Be16(d + q + 4), Colours(8u * d[q + 8])}, 0};
    } else {
      if (q + 2 >= n) break;
      q += Be16(d + q + 1) + 1;
    }
  }
  return nothing;
}

bool Same(const ProbeResult& a, const ProbeResult& b) {
  return a.outcome == b.outcome && a.error == b.error && a.dimensions.width == b.dimensions.width &&
         a.dimensions.height == b.dimensions.height && a.dimensions.colours == b.dimensions.colours;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ProbeResult expected = WholeFileReading(data, size);
  for (const std::size_t piece : {kReadPieceBytes, std::size_t{1}}) {
    memory_sources::Bytes source(std::string(reinterpret_cast<const char*>(data), size));
    if (!Same(ProbeImage(source, piece), expected)) std::abort();
  }
  return 0;
}
