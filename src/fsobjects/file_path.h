// Paths as the file operations take them from scripts: the system code page form of the string,
// character for character, at most 259 characters (the platform's classic buffer less its
// terminator). A path that cannot be handed to the platform exactly as the script wrote it is
// refused before any platform call, never cut short or approximated. Paths that the platform
// hands back (the current directory, the temporary folder) meet the same rule before the module
// acts on them.
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

// The form of a path that a wide platform function wrote into `buffer` (of `bufferChars`
// characters) and whose length it returned: see QueryPlatformPath.
PlatformPath TakeReturnedPath(const wchar_t* buffer, DWORD length, DWORD bufferChars);

// A path the platform hands back (the current directory, the temporary folder, an absolute or a
// short form), in the same form as an argument. It is read with the platform's wide function:
// the ANSI one converts it on its own, with best fit or "?" ("C:\Users\t\Temp" for
// "C:\Users\ţ\Temp", another account's folder), and the module would go on to act on that
// look-alike. `query(buffer, chars)` writes the path into a wide buffer of `chars` characters and
// returns its length, or the size it needs when the buffer is too small, or 0 on failure.
// It is refused as an argument would be, before anything acts on it:
// - with the platform's error when it fails (ERROR_PATH_NOT_FOUND when it sets none);
// - ERROR_FILENAME_EXCED_RANGE when the path would not fit an ANSI buffer of `bufferChars`
//   (at most MAX_PATH) characters, terminator included;
// - ERROR_INVALID_NAME when the system code page has no exact form of it.
template <class Query>
PlatformPath QueryPlatformPath(DWORD bufferChars, Query&& query) {
  wchar_t buffer[MAX_PATH];
  if (bufferChars > MAX_PATH) bufferChars = MAX_PATH;
  ::SetLastError(ERROR_SUCCESS);
  const DWORD length = query(buffer, bufferChars);
  return TakeReturnedPath(buffer, length, bufferChars);
}

}  // namespace docket
