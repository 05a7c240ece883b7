// Conversions between automation strings (UTF-16) and the system code page that paths use inside
// the module.
#pragma once

#include "com/bstr.h"
#include "com/lead_bytes.h"
#include "com/path_limits.h"
#include "com/win.h"

#include <climits>
#include <optional>
#include <string>
#include <string_view>

namespace docket::com {

// The longest path the module handles: the platform's MAX_PATH less the terminator.
inline constexpr size_t kMaxPathChars = kMaxPath;
static_assert(kMaxPathChars == MAX_PATH - 1);

// The conversion calls count in int, and an automation string's byte length must fit 32 bits:
// texts longer than this are refused (std::bad_alloc) rather than converted in part or to "".
inline constexpr size_t kMaxConvertibleChars = INT_MAX;

// Converts to the system code page (characters it cannot represent become its default character
// or a look-alike). Not for paths: those go through ToPlatformPath.
std::string ToAnsi(std::wstring_view text);
inline std::string ToAnsi(BSTR text) { return ToAnsi(View(text)); }

// The system code page form of a text only when every character has an exact one there: no
// look-alike, no default character (nor, on a UTF-8 system code page, a lone surrogate).
std::optional<std::string> ToAnsiExact(std::wstring_view text);
// The same into a caller's string, whose storage is reused (for names converted one after
// another); false when there is no exact form, and *out is then unspecified.
bool ToAnsiExact(std::wstring_view text, std::string* out);

// Converts from the system code page.
std::wstring FromAnsi(std::string_view text);

// A new automation string holding the text converted from the system code page.
Bstr AnsiToBstr(std::string_view text);

// The lead bytes of a code page, from the platform's description of it: none for a single-byte one.
text::LeadBytes LeadBytesOf(UINT codePage);

// Those of the system code page, read once: what every search of a path for "\", "/", ":" or "."
// steps by, so that the second byte of a double-byte character is never taken for one of them.
const text::LeadBytes& SystemLeadBytes();

// True when the system code page has two-byte characters.
bool SystemIsDoubleByte();

// Writes a new automation string to a caller's out-parameter (which must not be null).
HRESULT ReturnAnsi(std::string_view text, BSTR* out);
HRESULT ReturnWide(std::wstring_view text, BSTR* out);

}  // namespace docket::com
