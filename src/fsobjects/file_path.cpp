#include "fsobjects/file_path.h"

#include "com/ansi.h"
#include "module/error_report.h"

namespace docket {

bool FitsPath(std::string_view ansiPath) { return ansiPath.size() <= com::kMaxPathChars; }

std::string AnsiPathText(BSTR text) {
  std::string ansi = com::ToAnsi(text);
  // The platform stops at the first NUL, so that is where the length that matters ends too.
  if (const size_t nul = ansi.find('\0'); nul != std::string::npos) ansi.resize(nul);
  return ansi;
}

std::optional<std::string> FittingAnsiPath(BSTR text) {
  std::string ansi = AnsiPathText(text);
  if (!FitsPath(ansi)) return std::nullopt;
  return ansi;
}

PlatformPath ToPlatformPath(BSTR text) {
  PlatformPath path{AnsiPathText(text)};
  if (!FitsPath(path.text)) path.refusal = ERROR_FILENAME_EXCED_RANGE;
  return path;
}

HRESULT ReportRefusedPath(REFCLSID clsid, const PlatformPath& path) {
  return ReportSystemError(clsid, path.refusal);
}

}  // namespace docket
