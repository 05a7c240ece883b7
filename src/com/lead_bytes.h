// Where the characters of a double-byte code page begin and end. In such a code page (932, 936,
// 949, 950 and their like) a lead byte and the byte after it make one character, and a byte that
// follows a lead byte is never a lead byte itself, whatever its value: so the characters of a run
// of bytes can only be told apart from its start. That second byte may have the value of "\" or
// "|" (表 in 932 is 95 5C): a search for such a character in a path must step over whole
// characters, never look at bytes alone. No Windows header; the table comes from the platform's
// description of the code page.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace docket::text {

// lead[b]: byte b begins a two-byte character. All false for a single-byte code page, where every
// function below finds exactly what a search of the bytes finds.
using LeadBytes = std::array<bool, 256>;

// The length of the longest front part of `bytes` that holds whole characters, at most
// `characters` of them. A lead byte that ends `bytes` is a whole character only when `atEnd` says
// that nothing follows it.
std::size_t WholeCharacterBytes(std::string_view bytes, const LeadBytes& lead, std::size_t characters,
                                bool atEnd);

// The size of the character that begins at `at` (< bytes.size()): two for a lead byte with a byte
// after it, else one (a lead byte that ends the text stands alone).
inline std::size_t CharacterSize(std::string_view bytes, std::size_t at, const LeadBytes& lead) {
  return lead[static_cast<unsigned char>(bytes[at])] && at + 1 < bytes.size() ? 2 : 1;
}

// True when the second character of `bytes` is the single-byte character `c` (as in "C:").
inline bool SecondCharacterIs(std::string_view bytes, char c, const LeadBytes& lead) {
  return bytes.size() >= 2 && CharacterSize(bytes, 0, lead) == 1 && bytes[1] == c;
}

// Where the first character at or after `from` (which must begin a character) that is one of the
// single-byte characters of `set` begins; npos when there is none.
std::size_t FindFirstOf(std::string_view bytes, std::string_view set, const LeadBytes& lead,
                        std::size_t from = 0);

// Where the last character that is one of the single-byte characters of `set` begins; npos when
// there is none.
std::size_t FindLastOf(std::string_view bytes, std::string_view set, const LeadBytes& lead);

// True when the last character of `bytes` is one of the single-byte characters of `set`.
bool EndsWithOneOf(std::string_view bytes, std::string_view set, const LeadBytes& lead);

// The number of characters of `bytes` that are one of the single-byte characters of `set`.
std::size_t CountOf(std::string_view bytes, std::string_view set, const LeadBytes& lead);

}  // namespace docket::text
