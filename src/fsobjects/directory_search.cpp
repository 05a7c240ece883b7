#include "fsobjects/directory_search.h"

#include "com/ansi.h"
#include "module/error_report.h"

namespace docket {

bool DirectorySearch::Start(const std::string& pattern) {
  // The pattern came from the system code page exactly, so it goes back to the same characters.
  const std::wstring widePattern = com::FromAnsi(pattern);
  find_.reset(::FindFirstFileW(widePattern.c_str(), &entry_));
  return Take(static_cast<bool>(find_));
}

bool DirectorySearch::Advance() { return Take(::FindNextFileW(find_.get(), &entry_) != FALSE); }

bool DirectorySearch::Take(bool found) {
  if (!found) return false;
  exact_ = com::ToAnsiExact(wideName(), &name_);
  if (!exact_) name_.clear();
  return true;
}

HRESULT ReportInexactName(REFCLSID clsid, std::string_view folder, const DirectorySearch& search) {
  std::wstring path = com::FromAnsi(folder);
  path.append(search.wideName()).append(L": ");
  return ReportSystemError(clsid, ERROR_INVALID_NAME, path);
}

}  // namespace docket
