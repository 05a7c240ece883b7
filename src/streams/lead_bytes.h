// Where the characters of a double-byte code page begin and end. In such a code page (932, 936,
// 949, 950 and their like) a lead byte and the byte after it make one character, and a byte that
// follows a lead byte is never a lead byte itself, whatever its value: so the characters of a run
// of bytes can only be told apart from its start. No Windows header; the table comes from the
// platform's description of the code page.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace docket::text {

// lead[b]: byte b begins a two-byte character. All false for a single-byte code page.
using LeadBytes = std::array<bool, 256>;

// The length of the longest front part of `bytes` that holds whole characters, at most
// `characters` of them. A lead byte that ends `bytes` is a whole character only when `atEnd` says
// that nothing follows it.
std::size_t WholeCharacterBytes(std::string_view bytes, const LeadBytes& lead, std::size_t characters,
                                bool atEnd);

}  // namespace docket::text
