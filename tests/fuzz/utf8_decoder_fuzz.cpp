// The UTF-8 decoder against glibc's iconv, and against itself on the bytes in pieces. Each
// well-formed run decodes alike; iconv stops (EILSEQ) where the decoder puts a U+FFFD and agrees
// again after its maximal subpart, of which only the shape compares (glibc calls E0 80 or a lone
// F5 "incomplete"); a sequence cut off at the end gives U+FFFD only. The encoder gives well-formed
// text back byte for byte.
#include "streams/utf8.h"

#include "fuzz_check.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using docket::text::DecodeUtf8;
using docket::text::kReplacementCharacter;

struct IconvRun {
  std::u16string text;  // what it converted before it stopped
  size_t used;          // bytes converted
  int error;            // 0, EILSEQ or EINVAL
};

IconvRun Iconv(std::string_view bytes) {
  static iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::u16string out(bytes.size() + 1, u'\0');
  char *in = const_cast<char*>(bytes.data()), *o = reinterpret_cast<char*>(out.data());
  size_t inLeft = bytes.size(), outLeft = out.size() * 2;
  const bool stopped = iconv(converter, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1);
  out.resize(out.size() - outLeft / 2);
  IconvRun run{out, bytes.size() - inLeft, stopped ? errno : 0};
  FUZZ_CHECK(run.error == 0 || run.error == EILSEQ || run.error == EINVAL);
  return run;
}

std::u16string DecodeWhole(std::string_view bytes) {
  std::u16string out;
  FUZZ_CHECK(DecodeUtf8(bytes, SIZE_MAX, true, &out) == bytes.size());
  return out;
}

// As a stream decodes: in pieces of `step` bytes, carrying a cut-off character to the next piece,
// asking for at most `units` code units at a time.
std::u16string DecodeInPieces(std::string_view bytes, size_t step, size_t units) {
  std::u16string out;
  std::string carried;
  for (size_t at = 0; at < bytes.size() || !carried.empty();) {
    carried.append(bytes.substr(at, step));
    at = std::min(at + step, bytes.size());
    const size_t used = DecodeUtf8(carried, units, at == bytes.size(), &out);
    FUZZ_CHECK(used <= carried.size() && (used > 0 || at < bytes.size()));  // progress at the end
    carried.erase(0, used);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte shapes the piecewise decoding; the rest is the text.
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::u16string whole = DecodeWhole(bytes);
  FUZZ_CHECK(DecodeInPieces(bytes, 1 + data[0] % 16, 1 + (data[0] >> 4)) == whole);

  std::u16string expected;
  for (size_t at = 0; at < bytes.size();) {
    const IconvRun run = Iconv(bytes.substr(at));
    expected += run.text;
    const std::string_view bad = bytes.substr(at + run.used);
    if (run.error == 0) break;
    if (run.error == EINVAL) {  // cut off at the end: nothing but replacements from here
      const std::u16string tail = DecodeWhole(bad);
      FUZZ_CHECK(!tail.empty() && tail.size() <= bad.size());
      FUZZ_CHECK(tail.find_first_not_of(kReplacementCharacter) == std::u16string::npos);
      expected += tail;
      break;
    }
    std::u16string one;
    const size_t subpart = DecodeUtf8(bad, 1, true, &one);
    FUZZ_CHECK(one == std::u16string(1, kReplacementCharacter) && subpart >= 1 && subpart <= 3);
    for (size_t k = 1; k < subpart; ++k) FUZZ_CHECK((static_cast<uint8_t>(bad[k]) & 0xC0) == 0x80);
    FUZZ_CHECK(subpart == 1 || Iconv(bad.substr(0, subpart)).error == EINVAL);
    expected += one;
    at += run.used + subpart;
  }
  FUZZ_CHECK(whole == expected);

  if (whole.find(kReplacementCharacter) == std::u16string::npos) {
    std::string again;
    docket::text::AppendUtf8(whole, &again);
    FUZZ_CHECK(again == bytes);
  }
  return 0;
}
