// The UTF-8 decoder against glibc's iconv (UTF-8 to UTF-16LE) on the same bytes, and against itself
// when the bytes arrive in pieces. iconv stops at the first ill-formed (EILSEQ) or cut-off (EINVAL)
// sequence: every well-formed run must decode alike, iconv must stop where the decoder puts a
// U+FFFD, and agree with it again from the end of the decoder's maximal subpart. The subpart's
// length does not compare (glibc calls E0 80 or a lone F5 "incomplete", two subparts here): only its
// shape does. A sequence cut off at the very end must come back as U+FFFD only.
#include "streams/utf8.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using docket::text::AppendUtf8;
using docket::text::DecodeUtf8;
using docket::text::kReplacementCharacter;

void Require(bool condition) {
  if (!condition) std::abort();
}

struct IconvRun {
  std::u16string text;  // what it converted before it stopped
  std::size_t used;     // bytes converted
  int error;            // 0, EILSEQ or EINVAL
};

IconvRun Iconv(std::string_view bytes) {
  static iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
  Require(converter != reinterpret_cast<iconv_t>(-1));
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::string out(bytes.size() * 2 + 2, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(converter, &in, &inLeft, &o, &outLeft);
  IconvRun run{{}, bytes.size() - inLeft, result == static_cast<std::size_t>(-1) ? errno : 0};
  Require(run.error == 0 || run.error == EILSEQ || run.error == EINVAL);
  run.text.resize(static_cast<std::size_t>(o - out.data()) / 2);
  std::memcpy(run.text.data(), out.data(), run.text.size() * 2);
  return run;
}

std::u16string DecodeWhole(std::string_view bytes) {
  std::u16string out;
  Require(DecodeUtf8(bytes, SIZE_MAX, true, &out) == bytes.size());
  return out;
}

// As a stream decodes: in pieces of `step` bytes, carrying a cut-off character to the next piece,
// asking for at most `units` code units at a time.
std::u16string DecodeInPieces(std::string_view bytes, std::size_t step, std::size_t units) {
  std::u16string out;
  std::string carried;
  std::size_t at = 0;
  while (at < bytes.size() || !carried.empty()) {
    const std::size_t take = std::min(step, bytes.size() - at);
    carried.append(bytes.substr(at, take));
    at += take;
    const std::size_t used = DecodeUtf8(carried, units, at == bytes.size(), &out);
    Require(used <= carried.size());
    Require(used > 0 || at < bytes.size());  // progress once nothing more can come
    carried.erase(0, used);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte shapes the piecewise decoding; the rest is the text.
  const std::size_t step = 1 + data[0] % 16, units = 1 + (data[0] >> 4);
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::u16string whole = DecodeWhole(bytes);
  Require(DecodeInPieces(bytes, step, units) == whole);

  std::u16string expected;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::string_view rest = bytes.substr(at);
    const IconvRun run = Iconv(rest);
    expected += run.text;
    if (run.error == 0) break;
    const std::string_view bad = rest.substr(run.used);
    if (run.error == EINVAL) {  // cut off at the end: nothing but replacements from here
      const std::u16string tail = DecodeWhole(bad);
      Require(!tail.empty() && tail.size() <= bad.size());
      Require(tail.find_first_not_of(kReplacementCharacter) == std::u16string::npos);
      expected += tail;
      break;
    }
    std::u16string one;
    const std::size_t subpart = DecodeUtf8(bad, 1, true, &one);
    Require(one == std::u16string(1, kReplacementCharacter));
    Require(subpart >= 1 && subpart <= 3);
    for (std::size_t k = 1; k < subpart; ++k) Require((static_cast<unsigned char>(bad[k]) & 0xC0) == 0x80);
    if (subpart > 1) Require(Iconv(bad.substr(0, subpart)).error == EINVAL);
    expected += one;
    at += run.used + subpart;
  }
  Require(whole == expected);

  // Well-formed text comes back byte for byte from the encoder.
  if (whole.find(kReplacementCharacter) == std::u16string::npos) {
    std::string again;
    AppendUtf8(whole, &again);
    Require(again == bytes);
  }
  return 0;
}
