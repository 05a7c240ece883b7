// The string half of the path functions on any bytes, against their rules written out where they
// are short and the promises callers build on where not; in 932 they answer as in a single-byte
// code page for texts without a lead byte. Input: a path, '\n', a name, '\n', then one byte for
// the platform's final-component offset.
#include "com/path_limits.h"
#include "manager/path_text.h"

#include "../native/code_page_tables.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

namespace pt = docket::pathtext;
namespace text = docket::text;
using code_page_tables::k932;
using code_page_tables::kSingleByte;

// What the functions read of a text: up to its first NUL, as the work buffers would.
std::string_view CText(std::string_view text) { return text.substr(0, text.find('\0')); }

// Cuts the next '\n'-ended field off the input.
std::string_view Field(std::string_view& input) {
  const size_t end = input.find('\n');
  const std::string_view field = input.substr(0, end);
  input.remove_prefix(end == input.npos ? input.size() : end + 1);
  return field;
}

// The join written out: a separator between a path and a name that have none there, one of two
// dropped; nothing when either is too long for the work buffer.
void CheckBuildPath(std::string_view path, std::string_view name) {
  const std::string_view p = CText(path), n = CText(name);
  std::string expected;
  if (docket::FitsPathBuffer(p.size()) && docket::FitsPathBuffer(n.size())) {
    const bool pathEnds = p.ends_with('\\'), nameStarts = n.starts_with('\\');
    const bool bare = p.empty() || n.empty() || pathEnds || nameStarts;
    expected = std::string(p) + (bare ? "" : "\\") + std::string(pathEnds && nameStarts ? n.substr(1) : n);
  }
  FUZZ_CHECK(pt::BuildPath(path, name, kSingleByte) == expected);
}

// The final component from the platform's offset; its base and extension split at its last dot.
void CheckComponents(std::string_view absolute, size_t finalPos) {
  const std::string_view a = CText(absolute);
  const std::string component = pt::FinalComponent(absolute, finalPos);
  FUZZ_CHECK(component == (finalPos > a.size() ? "" : a.substr(finalPos)));
  const size_t dot = component.rfind('.');
  FUZZ_CHECK(pt::BaseName(component, kSingleByte) == component.substr(0, dot));
  FUZZ_CHECK(pt::ExtensionName(component, kSingleByte) == (dot == component.npos ? "" : component.substr(dot + 1)));
  FUZZ_CHECK(pt::ParentQuery(absolute) == std::string(a) + "\\..");
}

// With a single-byte table the searches are the plain byte searches. In 932 a text without a lead
// byte is read as in a single-byte code page; with one, a join still ends in the name.
void CheckDoubleByte(std::string_view path, std::string_view name) {
  const auto hasLead = [](std::string_view bytes) {
    for (const char b : CText(bytes))
      if (k932[static_cast<uint8_t>(b)]) return true;
    return false;
  };
  const std::string joined = pt::BuildPath(path, name, k932);
  const std::string drive = pt::DriveName(path, k932), extension = pt::ExtensionName(path, k932);
  FUZZ_CHECK(text::FindLastOf(path, "\\/", kSingleByte) == path.find_last_of("\\/"));
  FUZZ_CHECK(text::FindFirstOf(path, ".", kSingleByte) == path.find('.'));
  FUZZ_CHECK(text::CountOf(path, "/", kSingleByte) == size_t(std::count(path.begin(), path.end(), '/')));
  FUZZ_CHECK(text::EndsWithOneOf(path, "\\", kSingleByte) == (!path.empty() && path.back() == '\\'));
  if (hasLead(path) || hasLead(name)) {
    FUZZ_CHECK(joined.empty() || joined.ends_with(CText(name)));
    return;
  }
  FUZZ_CHECK(joined == pt::BuildPath(path, name, kSingleByte));
  FUZZ_CHECK(drive == pt::DriveName(path, kSingleByte));
  FUZZ_CHECK(extension == pt::ExtensionName(path, kSingleByte));
}

// Paths order as their 16-bit code units do, unsigned, whatever the width of the caller's units.
void CheckOrder(std::string_view left, std::string_view right) {
  const auto units = [](std::string_view bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
      text += static_cast<char16_t>(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
    return text;
  };
  const std::u16string a = units(left), b = units(right);
  FUZZ_CHECK(pt::OrdersAtOrBefore(a, b) == (a <= b));
  FUZZ_CHECK(pt::OrdersAtOrBefore(std::wstring(a.begin(), a.end()), std::wstring(b.begin(), b.end())) == (a <= b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view path = Field(input);
  const std::string_view name = Field(input);
  const size_t finalPos = input.empty() ? pt::kNoFinalComponent : static_cast<uint8_t>(input[0]);
  CheckBuildPath(path, name);
  CheckComponents(path, finalPos);
  CheckDoubleByte(path, name);
  CheckOrder(path, name);
  return 0;
}
