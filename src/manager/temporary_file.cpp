#include "manager/temporary_file.h"

#include "com/ansi.h"

namespace docket {

PlatformPath MakeTemporaryFile(const std::string& folder, const std::string& prefix) {
  const std::wstring wideFolder = com::FromAnsi(folder), widePrefix = com::FromAnsi(prefix);
  // The platform's buffer for the name is always MAX_PATH characters.
  return QueryPlatformPath(MAX_PATH, [&](wchar_t* buffer, DWORD) -> DWORD {
    if (!::GetTempFileNameW(wideFolder.c_str(), widePrefix.c_str(), 0, buffer)) return 0;
    return static_cast<DWORD>(::lstrlenW(buffer));
  });
}

}  // namespace docket
