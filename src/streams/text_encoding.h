// The encodings of a text file: the system code page (the platform's ANSI code page, one or more
// bytes per character), UTF-16 little-endian, or a code page the stream's Format names (UTF-8, or
// another one the platform has installed). Text inside the stream is UTF-16.
#pragma once

#include "com/win.h"

#include <string>
#include <string_view>

namespace docket::streams {

struct TextEncoding {
  enum class Kind { kSystemCodePage, kUtf16, kCodePage };

  static TextEncoding SystemCodePage() { return {Kind::kSystemCodePage, CP_ACP}; }
  static TextEncoding Utf16() { return {Kind::kUtf16, 0}; }
  static TextEncoding CodePage(UINT codePage) { return {Kind::kCodePage, codePage}; }

  bool unicode() const { return kind == Kind::kUtf16; }
  bool utf8() const { return kind == Kind::kCodePage && codePage == CP_UTF8; }

  Kind kind = Kind::kSystemCodePage;
  UINT codePage = CP_ACP;
};

// True when `format` names a code page a stream reads and writes: UTF-8, or one the platform has
// installed whose characters take one byte, or a lead byte and one more. Others (UTF-7, and code
// pages with longer sequences or shift states) can't be cut into pieces between two characters.
bool IsStreamableCodePage(LONG format);

// Appends the characters of `bytes` in the system code page or, with `unicode`, in UTF-16LE. A
// Unicode text of odd length ends in a byte that belongs to no code unit: it becomes U+FFFD, so
// that the damage shows instead of vanishing.
void AppendDecoded(const char* bytes, size_t size, bool unicode, std::u16string* out);

// Appends `bytes` (whole characters, fewer than 2^31 bytes) converted from `codePage`.
void AppendFromCodePage(std::string_view bytes, UINT codePage, std::u16string* out);

// Appends the bytes of `text`; characters a code page lacks become its default character, and
// in UTF-8 a surrogate without its partner becomes U+FFFD. Throws std::bad_alloc for a text whose
// bytes could not be counted in an int.
void AppendEncoded(std::wstring_view text, const TextEncoding& encoding, std::string* out);

// Appends `count` line ends, CR LF each.
void AppendLineEnds(size_t count, const TextEncoding& encoding, std::string* out);

// The number of bytes `text` takes in a file in the system code page or, with `unicode`, UTF-16LE.
size_t EncodedSize(std::u16string_view text, bool unicode);

}  // namespace docket::streams
