// Members of FileManager that are not built yet answer E_NOTIMPL.
#include "manager/file_manager.h"

namespace docket {

STDMETHODIMP FileManager::RevertToSelf() { return E_NOTIMPL; }
STDMETHODIMP FileManager::LogonUser(BSTR Domain, BSTR UserID, BSTR Password, QFLogonType Flag, LONG* pbSuccess) { return E_NOTIMPL; }
STDMETHODIMP FileManager::get_CurrentUser(BSTR* pbstrUser) { return E_NOTIMPL; }
STDMETHODIMP FileManager::get_ProcessUser(BSTR* pbstrUser) { return E_NOTIMPL; }
STDMETHODIMP FileManager::get_Drives(IDriveCollection** ppdrives) { return E_NOTIMPL; }
STDMETHODIMP FileManager::DriveExists(BSTR DriveSpec, VARIANT_BOOL* pfExists) { return E_NOTIMPL; }
STDMETHODIMP FileManager::GetDrive(BSTR DriveSpec, IDrive** ppdrive) { return E_NOTIMPL; }
STDMETHODIMP FileManager::EncryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }
STDMETHODIMP FileManager::DecryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }

}  // namespace docket
