#include "fsobjects/file_path.h"

#include "com/ansi.h"
#include "module/error_report.h"

#include <optional>

namespace docket {
namespace {

PlatformPath Refused(DWORD error) {
  PlatformPath path;
  path.refusal = error;
  return path;
}

}  // namespace

bool FitsPath(std::string_view ansiPath) { return ansiPath.size() <= com::kMaxPathChars; }

size_t LastSeparatorOf(std::string_view ansiPath) {
  return text::FindLastOf(ansiPath, "\\", com::SystemLeadBytes());
}

bool EndsWithSeparator(std::string_view ansiPath) {
  return text::EndsWithOneOf(ansiPath, "\\", com::SystemLeadBytes());
}

PlatformPath ToPlatformPath(BSTR text) { return ToPlatformPath(com::View(text)); }

PlatformPath ToPlatformPath(std::wstring_view text) {
  if (text.find(L'\0') != std::wstring_view::npos) return Refused(ERROR_INVALID_NAME);
  // Every character takes at least one byte in any code page, so a longer text never fits; it
  // is refused without converting what may be a very long string.
  if (text.size() > com::kMaxPathChars) return Refused(ERROR_FILENAME_EXCED_RANGE);
  std::optional<std::string> exact = com::ToAnsiExact(text);
  if (!exact) return Refused(ERROR_INVALID_NAME);
  if (!FitsPath(*exact)) return Refused(ERROR_FILENAME_EXCED_RANGE);
  return PlatformPath{std::move(*exact)};
}

PlatformPath TakeReturnedPath(const wchar_t* buffer, DWORD length, DWORD bufferChars) {
  if (length == 0) {
    const DWORD error = ::GetLastError();
    return Refused(error == ERROR_SUCCESS ? ERROR_PATH_NOT_FOUND : error);
  }
  if (length >= bufferChars) return Refused(ERROR_FILENAME_EXCED_RANGE);
  PlatformPath path = ToPlatformPath(std::wstring_view(buffer, length));
  // In a double-byte code page the form there may take more bytes than the platform's characters.
  if (path && path.text.size() >= bufferChars) return Refused(ERROR_FILENAME_EXCED_RANGE);
  return path;
}

HRESULT ReportRefusedPath(REFCLSID clsid, const PlatformPath& path) {
  return ReportSystemError(clsid, path.refusal);
}

}  // namespace docket
