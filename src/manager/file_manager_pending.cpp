// Members of FileManager that are not built yet answer E_NOTIMPL.
#include "manager/file_manager.h"

namespace docket {

STDMETHODIMP FileManager::INIReadString(BSTR FileName, BSTR Section, BSTR Key, BSTR Default, BSTR* pbstrValue) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIWriteString(BSTR FileName, BSTR Section, BSTR Key, BSTR Value) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIReadInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Default, LONG* plValue) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIWriteInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Value) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIReadBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Default, LONG* plValue) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIWriteBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Value) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIDeleteSection(BSTR FileName, BSTR Section) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIDeleteKey(BSTR FileName, BSTR Section, BSTR Key) { return E_NOTIMPL; }
STDMETHODIMP FileManager::get_Drives(IDriveCollection** ppdrives) { return E_NOTIMPL; }
STDMETHODIMP FileManager::DriveExists(BSTR DriveSpec, VARIANT_BOOL* pfExists) { return E_NOTIMPL; }
STDMETHODIMP FileManager::GetDrive(BSTR DriveSpec, IDrive** ppdrive) { return E_NOTIMPL; }

}  // namespace docket
