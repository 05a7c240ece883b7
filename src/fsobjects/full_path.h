// The platform's absolute form of a path, in a work buffer of a fixed size: a result that would
// not fit is refused as too long, never cut, and so is one that the system code page cannot hold
// exactly (a relative path takes the current directory's name, which may hold any character).
#pragma once

#include "com/win.h"

#include <string>

namespace docket {

struct FullPath {
  std::string text;       // the absolute path
  std::string finalPart;  // its last component as the platform splits it; empty for a root or "x\"
};

// Buffer sizes the folder operations work with: 256 when a folder is made or asked for its
// parent (so at most 255 characters), MAX_PATH for the destinations of copies and moves.
inline constexpr DWORD kFolderPathBuffer = 256;
inline constexpr DWORD kFullPathBuffer = MAX_PATH;

// The absolute form, or the system error for which there is none: the platform's own,
// ERROR_FILENAME_EXCED_RANGE for one that does not fit, ERROR_INVALID_NAME for one without an
// exact form. An empty path names no folder at all: ERROR_PATH_NOT_FOUND.
DWORD TakeFullPath(const std::string& path, DWORD bufferChars, FullPath* out);

// The same for a path of at most 259 characters, with the refusal reported under clsid.
HRESULT ComputeFullPath(REFCLSID clsid, const std::string& path, DWORD bufferChars, FullPath* out);

}  // namespace docket
