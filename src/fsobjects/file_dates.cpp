// A File's three times, taken from its directory entry and given in the machine's local time.
#include "com/handles.h"
#include "fsobjects/file.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP File::get_DateCreated(DATE* pdate) {
  return ReadDate(&WIN32_FIND_DATAA::ftCreationTime, pdate);
}

STDMETHODIMP File::get_DateLastModified(DATE* pdate) {
  return ReadDate(&WIN32_FIND_DATAA::ftLastWriteTime, pdate);
}

STDMETHODIMP File::get_DateLastAccessed(DATE* pdate) {
  return ReadDate(&WIN32_FIND_DATAA::ftLastAccessTime, pdate);
}

HRESULT File::ReadDate(FILETIME WIN32_FIND_DATAA::*which, DATE* out) const {
  DOCKET_RETURN_IF_NULL(out);
  WIN32_FIND_DATAA entry;
  com::UniqueFind find(::FindFirstFileA(path_.c_str(), &entry));
  if (!find) return ReportLastError(ClassId());
  find.reset();
  FILETIME local;
  SYSTEMTIME parts;
  if (!::FileTimeToLocalFileTime(&(entry.*which), &local) ||
      !::FileTimeToSystemTime(&local, &parts))
    return ReportLastError(ClassId());
  // The automation date has no room for the milliseconds; the conversion drops them.
  if (!::SystemTimeToVariantTime(&parts, out)) return E_INVALIDARG;
  return S_OK;
}

}  // namespace docket
