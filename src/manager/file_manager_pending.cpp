// Members of FileManager that are not built yet answer E_NOTIMPL.
#include "manager/file_manager.h"

namespace docket {

STDMETHODIMP FileManager::get_Drives(IDriveCollection** ppdrives) { return E_NOTIMPL; }
STDMETHODIMP FileManager::DriveExists(BSTR DriveSpec, VARIANT_BOOL* pfExists) { return E_NOTIMPL; }
STDMETHODIMP FileManager::GetDrive(BSTR DriveSpec, IDrive** ppdrive) { return E_NOTIMPL; }

}  // namespace docket
