// Members of FileManager that are not built yet answer E_NOTIMPL.
#include "manager/file_manager.h"

namespace docket {

STDMETHODIMP FileManager::ExportToBlob(BSTR srcFileName, VARIANT recordSet) { return E_NOTIMPL; }
STDMETHODIMP FileManager::ImportFromBlob(VARIANT srcRecordSet, BSTR targetFileName) { return E_NOTIMPL; }
STDMETHODIMP FileManager::RevertToSelf() { return E_NOTIMPL; }
STDMETHODIMP FileManager::LogonUser(BSTR Domain, BSTR UserID, BSTR Password, QFLogonType Flag, LONG* pbSuccess) { return E_NOTIMPL; }
STDMETHODIMP FileManager::get_CurrentUser(BSTR* pbstrUser) { return E_NOTIMPL; }
STDMETHODIMP FileManager::get_ProcessUser(BSTR* pbstrUser) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIReadString(BSTR FileName, BSTR Section, BSTR Key, BSTR Default, BSTR* pbstrValue) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIWriteString(BSTR FileName, BSTR Section, BSTR Key, BSTR Value) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIReadInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Default, LONG* plValue) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIWriteInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Value) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIReadBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Default, LONG* plValue) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIWriteBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Value) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIDeleteSection(BSTR FileName, BSTR Section) { return E_NOTIMPL; }
STDMETHODIMP FileManager::INIDeleteKey(BSTR FileName, BSTR Section, BSTR Key) { return E_NOTIMPL; }
STDMETHODIMP FileManager::EncryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }
STDMETHODIMP FileManager::DecryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }

}  // namespace docket
