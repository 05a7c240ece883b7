#include "fsobjects/full_path.h"

#include "com/ansi.h"
#include "module/error_report.h"

namespace docket {

HRESULT ComputeFullPath(REFCLSID clsid, const std::string& path, DWORD bufferChars, FullPath* out) {
  if (path.size() > com::kMaxPathChars) return ReportPathTooLong(clsid);
  char buffer[MAX_PATH];
  char* finalPart = nullptr;
  // An empty path fails without setting an error of its own; it names no folder at all.
  ::SetLastError(ERROR_SUCCESS);
  const DWORD n = ::GetFullPathNameA(path.c_str(), bufferChars, buffer, &finalPart);
  if (n == 0) {
    if (::GetLastError() == ERROR_SUCCESS) return ReportSystemError(clsid, ERROR_PATH_NOT_FOUND);
    return ReportLastError(clsid);
  }
  if (n >= bufferChars) return ReportPathTooLong(clsid);
  out->text.assign(buffer, n);
  out->finalPart = finalPart ? std::string(finalPart) : std::string();
  return S_OK;
}

}  // namespace docket
