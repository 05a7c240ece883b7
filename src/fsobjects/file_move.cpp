#include "fsobjects/file_move.h"

#include "com/win.h"

namespace docket {

bool MoveFileByPlatform(const std::string& from, const std::string& to, bool replace) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!::GetVersionExA(&version)) return false;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    DWORD flags = MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;
    if (replace) flags |= MOVEFILE_REPLACE_EXISTING;
    return ::MoveFileExA(from.c_str(), to.c_str(), flags) != FALSE;
  }
  if (!::CopyFileA(from.c_str(), to.c_str(), !replace)) return false;
  return ::DeleteFileA(from.c_str()) != FALSE;
}

}  // namespace docket
