// Paths as the file operations take them from scripts: the system code page form of the string,
// character for character, at most 259 characters (the platform's classic buffer less its
// terminator). A path that cannot be handed to the platform exactly as the script wrote it is
// refused before any platform call, never cut short or approximated.
#pragma once

#include "com/win.h"

#include <string>
#include <string_view>

namespace docket {

// True when an ANSI path (for instance one joined from two converted parts) fits the module's
// work buffers.
bool FitsPath(std::string_view ansiPath);

// Where the last backslash of an ANSI path stands (npos for none), and whether the path ends in
// one. Only a backslash that is a character of its own counts: in a double-byte system code page
// the second byte of a character may be 5C (表 is 95 5C in 932), and that is no separator.
size_t LastSeparatorOf(std::string_view ansiPath);
bool EndsWithSeparator(std::string_view ansiPath);

// A script's path argument in the form every platform call takes, or the system error for which
// it is refused before any platform call is made:
// - ERROR_INVALID_NAME for an embedded NUL (the platform would stop there and act on a shorter
//   path) and for a character the system code page has no exact form of (it would become "?",
//   a wildcard, or a look-alike such as "t" for U+0163, and name another file);
// - ERROR_FILENAME_EXCED_RANGE for a path too long for the work buffers.
// A null string is the empty path. Throws std::bad_alloc (callers run inside com::Guarded).
struct PlatformPath {
  std::string text;
  DWORD refusal = 0;
  explicit operator bool() const { return refusal == 0; }
};
PlatformPath ToPlatformPath(BSTR text);
PlatformPath ToPlatformPath(std::wstring_view text);

// The refusal of such a path, as the caller's error (the system's text and 0x8007xxxx code).
HRESULT ReportRefusedPath(REFCLSID clsid, const PlatformPath& path);

}  // namespace docket
