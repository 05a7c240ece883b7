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

}  // namespace docket
