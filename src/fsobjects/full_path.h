// The platform's absolute form of a path, in a work buffer of a fixed size: a result that would
// not fit is refused as too long, never cut.
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

// Reports (under clsid) the platform's failure, or the path-too-long refusal.
HRESULT ComputeFullPath(REFCLSID clsid, const std::string& path, DWORD bufferChars, FullPath* out);

}  // namespace docket
