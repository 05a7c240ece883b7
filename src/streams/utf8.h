// UTF-8 to UTF-16 and back, for text streams in code page 65001. No Windows header: the decoder is
// tested natively and fuzzed against the C library's converter.
//
// Reading never fails: each maximal subpart of an ill-formed sequence (the longest run of bytes
// that begins a well-formed sequence, or a single byte that begins none) becomes one U+FFFD, as the
// Unicode standard recommends. So E4 B8 followed by A gives U+FFFD then A, and a lone continuation
// byte, an overlong form (C0 AF), an encoded surrogate (ED A0 80) or a byte past U+10FFFF gives one
// U+FFFD per byte that begins no sequence.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace docket::text {

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// Appends the characters at the front of `bytes` until at least `units` UTF-16 code units have
// been appended (one more when the last character is a surrogate pair) or the bytes run out, and
// returns how many bytes it used. A character cut off by the end of `bytes` is left for a later
// call with more bytes, unless `atEnd` says there are none: then it is a maximal subpart.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t units, bool atEnd, std::u16string* out);

// Appends `text` in UTF-8. A surrogate without its partner becomes U+FFFD (EF BF BD).
void AppendUtf8(std::u16string_view text, std::string* out);

}  // namespace docket::text
