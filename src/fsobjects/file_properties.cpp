// What a File tells about itself: its names and its size, read from the disk when asked (the
// object keeps nothing but its path).
#include "com/ansi.h"
#include "com/handles.h"
#include "fsobjects/file.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP File::get_Path(BSTR* pbstrPath) {
  DOCKET_RETURN_IF_NULL(pbstrPath);
  *pbstrPath = nullptr;
  return com::Guarded([&] { return com::ReturnAnsi(location_.Peek().path, pbstrPath); });
}

STDMETHODIMP File::get_Name(BSTR* pbstrName) {
  DOCKET_RETURN_IF_NULL(pbstrName);
  *pbstrName = nullptr;
  return com::Guarded([&] { return com::ReturnAnsi(location_.Peek().name, pbstrName); });
}

STDMETHODIMP File::get_Size(VARIANT* pvarSize) {
  DOCKET_RETURN_IF_NULL(pvarSize);
  ::VariantInit(pvarSize);
  return location_.Use(ClassId(), [&](const Location& here) {
    com::UniqueFile file(
        ::CreateFileA(here.path.c_str(), 0, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return ReportLastError(ClassId());
    DWORD high = 0;
    const DWORD low = ::GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return ReportLastError(ClassId());
    const ULONGLONG size = (static_cast<ULONGLONG>(high) << 32) | low;
    // A script's 32-bit integer while the size fits one, a double beyond (as a folder's Size).
    if (size < 0x80000000ull) {
      V_VT(pvarSize) = VT_I4;
      V_I4(pvarSize) = static_cast<LONG>(size);
    } else {
      V_VT(pvarSize) = VT_R8;
      V_R8(pvarSize) = static_cast<double>(size);
    }
    return S_OK;
  });
}

}  // namespace docket
