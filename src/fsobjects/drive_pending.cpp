// Members of Drive that are not built yet answer E_NOTIMPL.
#include "fsobjects/drive.h"

namespace docket {

STDMETHODIMP Drive::get_Path(BSTR* pbstrPath) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_DriveLetter(BSTR* pbstrLetter) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_ShareName(BSTR* pbstrShareName) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_DriveType(DriveTypeConst* pdt) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_RootFolder(IFolder** ppfolder) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_AvailableSpace(VARIANT* pvarAvail) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_FreeSpace(VARIANT* pvarFree) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_TotalSize(VARIANT* pvarTotal) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_VolumeName(BSTR* pbstrName) { return E_NOTIMPL; }
STDMETHODIMP Drive::put_VolumeName(BSTR pbstrName) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_FileSystem(BSTR* pbstrFileSystem) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_SerialNumber(LONG* pulSerialNumber) { return E_NOTIMPL; }
STDMETHODIMP Drive::get_IsReady(VARIANT_BOOL* pfReady) { return E_NOTIMPL; }
STDMETHODIMP Drive::Init(BSTR spec) { return E_NOTIMPL; }

}  // namespace docket
