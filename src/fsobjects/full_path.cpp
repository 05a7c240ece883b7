#include "fsobjects/full_path.h"

#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {

DWORD TakeFullPath(const std::string& path, DWORD bufferChars, FullPath* out) {
  // The path came from the system code page exactly, so it goes back to the same characters.
  const std::wstring widePath = com::FromAnsi(path);
  std::wstring finalPart;
  PlatformPath full = QueryPlatformPath(bufferChars, [&](wchar_t* buffer, DWORD chars) {
    wchar_t* part = nullptr;
    const DWORD n = ::GetFullPathNameW(widePath.c_str(), chars, buffer, &part);
    if (part && n > 0 && n < chars) finalPart = part;
    return n;
  });
  if (!full) return full.refusal;
  out->text = std::move(full.text);
  // A part of a text with an exact form has one too.
  out->finalPart = com::ToAnsiExact(finalPart).value_or(std::string());
  return ERROR_SUCCESS;
}

HRESULT ComputeFullPath(REFCLSID clsid, const std::string& path, DWORD bufferChars, FullPath* out) {
  if (path.size() > com::kMaxPathChars) return ReportPathTooLong(clsid);
  const DWORD error = TakeFullPath(path, bufferChars, out);
  return error == ERROR_SUCCESS ? S_OK : ReportSystemError(clsid, error);
}

}  // namespace docket
