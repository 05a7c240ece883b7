// Conversions between automation strings (UTF-16) and the system code page that paths use inside
// the module.
#pragma once

#include "com/bstr.h"
#include "com/path_limits.h"
#include "com/win.h"

#include <string>
#include <string_view>

namespace docket::com {

// The longest path the module handles: the platform's MAX_PATH less the terminator.
inline constexpr size_t kMaxPathChars = kMaxPath;
static_assert(kMaxPathChars == MAX_PATH - 1);

// Converts to the system code page (characters it cannot represent become its default character).
std::string ToAnsi(std::wstring_view text);
inline std::string ToAnsi(BSTR text) { return ToAnsi(View(text)); }

// Converts from the system code page.
std::wstring FromAnsi(std::string_view text);

// A new automation string holding the text converted from the system code page.
Bstr AnsiToBstr(std::string_view text);

// Writes a new automation string to a caller's out-parameter (which must not be null).
HRESULT ReturnAnsi(std::string_view text, BSTR* out);
HRESULT ReturnWide(std::wstring_view text, BSTR* out);

}  // namespace docket::com
