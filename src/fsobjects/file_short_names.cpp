// The 8.3 forms of a File's path and name, for programs that still need them.
#include "com/ansi.h"
#include "fsobjects/file.h"
#include "module/error_report.h"

namespace docket {

HRESULT File::ReadShortPath(std::string* out) const {
  char buffer[MAX_PATH];
  const DWORD n = ::GetShortPathNameA(path_.c_str(), buffer, MAX_PATH);
  // No short form at all (a missing file, a volume without 8.3 names): the platform says why.
  if (n == 0) return ReportLastError(ClassId());
  // A short form never outgrows the long one, but a path may have changed on disk meanwhile.
  if (n >= MAX_PATH) return ReportPathTooLong(ClassId());
  out->assign(buffer, n);
  return S_OK;
}

STDMETHODIMP File::get_ShortPath(BSTR* pbstrPath) {
  DOCKET_RETURN_IF_NULL(pbstrPath);
  *pbstrPath = nullptr;
  return com::Guarded([&] {
    std::string shortPath;
    DOCKET_RETURN_IF_FAILED(ReadShortPath(&shortPath));
    return com::ReturnAnsi(shortPath, pbstrPath);
  });
}

STDMETHODIMP File::get_ShortName(BSTR* pbstrName) {
  DOCKET_RETURN_IF_NULL(pbstrName);
  *pbstrName = nullptr;
  return com::Guarded([&] {
    std::string shortPath;
    DOCKET_RETURN_IF_FAILED(ReadShortPath(&shortPath));
    const size_t cut = shortPath.find_last_of('\\');
    return com::ReturnAnsi(cut == std::string::npos ? shortPath : shortPath.substr(cut + 1),
                           pbstrName);
  });
}

}  // namespace docket
