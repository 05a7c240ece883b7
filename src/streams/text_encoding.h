// The two encodings of a text file: the system code page (the platform's ANSI code page, one or
// more bytes per character) and UTF-16 little-endian. Text inside the stream is UTF-16.
#pragma once

#include "com/win.h"

#include <string>
#include <string_view>

namespace docket::streams {

// Appends the characters of `bytes`. A Unicode text of odd length ends in a byte that belongs
// to no code unit: it becomes U+FFFD, so that the damage shows instead of vanishing.
void AppendDecoded(const char* bytes, size_t size, bool unicode, std::u16string* out);

// Appends the bytes of `text`; characters the code page lacks become its default character.
// Throws std::bad_alloc for a text whose bytes could not be counted in an int.
void AppendEncoded(std::wstring_view text, bool unicode, std::string* out);

// Appends `count` line ends, CR LF each (13 and 10 in every code page the system uses for ANSI).
void AppendLineEnds(size_t count, bool unicode, std::string* out);

// The number of bytes `text` takes in the file.
size_t EncodedSize(std::u16string_view text, bool unicode);

}  // namespace docket::streams
