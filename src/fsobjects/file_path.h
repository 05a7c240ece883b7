// Paths as the file operations take them from scripts: the system code page form of the string,
// at most 259 characters (the platform's classic buffer less its terminator). A longer path is
// refused before any platform call, never cut short.
#pragma once

#include "com/win.h"

#include <optional>
#include <string>
#include <string_view>

namespace docket {

// True when an ANSI path fits the module's work buffers.
bool FitsPath(std::string_view ansiPath);

// The ANSI form of a script's path, ending at its first NUL as every platform call reads it.
// Throws std::bad_alloc, as the functions below do (callers run them inside com::Guarded).
std::string AnsiPathText(BSTR text);

// The same, or nothing when it is too long to handle.
std::optional<std::string> FittingAnsiPath(BSTR text);

// A script's path argument in the form every platform call takes, or the system error for which
// it is refused before any platform call is made (ERROR_FILENAME_EXCED_RANGE when too long).
struct PlatformPath {
  std::string text;
  DWORD refusal = 0;
  explicit operator bool() const { return refusal == 0; }
};
PlatformPath ToPlatformPath(BSTR text);

// The refusal of such a path, as the caller's error (the system's text and 0x8007xxxx code).
HRESULT ReportRefusedPath(REFCLSID clsid, const PlatformPath& path);

}  // namespace docket
