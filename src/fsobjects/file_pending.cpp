// Members of File that are not built yet answer E_NOTIMPL.
#include "fsobjects/file.h"

namespace docket {

STDMETHODIMP File::get__NewEnum(IUnknown** ppEnum) { return E_NOTIMPL; }
STDMETHODIMP File::get_Path(BSTR* pbstrPath) { return E_NOTIMPL; }
STDMETHODIMP File::get_Name(BSTR* pbstrName) { return E_NOTIMPL; }
STDMETHODIMP File::put_Name(BSTR pbstrName) { return E_NOTIMPL; }
STDMETHODIMP File::get_Type(BSTR* pbstrType) { return E_NOTIMPL; }
STDMETHODIMP File::get_DateCreated(DATE* pdate) { return E_NOTIMPL; }
STDMETHODIMP File::get_DateLastModified(DATE* pdate) { return E_NOTIMPL; }
STDMETHODIMP File::get_DateLastAccessed(DATE* pdate) { return E_NOTIMPL; }
STDMETHODIMP File::get_Attributes(QFFileAttribute* pfa) { return E_NOTIMPL; }
STDMETHODIMP File::put_Attributes(QFFileAttribute pfa) { return E_NOTIMPL; }
STDMETHODIMP File::Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) { return E_NOTIMPL; }
STDMETHODIMP File::Move(BSTR Destination, VARIANT_BOOL OverWriteFiles) { return E_NOTIMPL; }
STDMETHODIMP File::Append(BSTR bstrFileAppendTo) { return E_NOTIMPL; }
STDMETHODIMP File::Compare(BSTR bstrFileCompareTo) { return E_NOTIMPL; }
STDMETHODIMP File::get_Size(VARIANT* pvarSize) { return E_NOTIMPL; }
STDMETHODIMP File::AllowAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP File::DenyAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP File::RevokeAllowance(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP File::RevokeDenial(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP File::get_ParentFolder(IFolder** ppfolder) { return E_NOTIMPL; }
STDMETHODIMP File::get_MimeType(BSTR* pbstrMimeType) { return E_NOTIMPL; }
STDMETHODIMP File::Delete(VARIANT_BOOL Force) { return E_NOTIMPL; }
STDMETHODIMP File::get_Owner(BSTR* pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP File::put_Owner(BSTR pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP File::get_ShortPath(BSTR* pbstrPath) { return E_NOTIMPL; }
STDMETHODIMP File::get_ShortName(BSTR* pbstrName) { return E_NOTIMPL; }
STDMETHODIMP File::Encrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }
STDMETHODIMP File::Decrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) { return E_NOTIMPL; }
STDMETHODIMP File::get_Permissions(IDispatch** ppPermissions) { return E_NOTIMPL; }
STDMETHODIMP File::get_ImageWidth(LONG* pWidth) { return E_NOTIMPL; }
STDMETHODIMP File::get_ImageHeight(LONG* pHeight) { return E_NOTIMPL; }
STDMETHODIMP File::get_ImageColor(LONG* pColors) { return E_NOTIMPL; }
STDMETHODIMP File::get_Accessible(LONG* pAccessible) { return E_NOTIMPL; }
STDMETHODIMP File::get_FileSystem(QFFileSystemType* pfs) { return E_NOTIMPL; }
STDMETHODIMP File::OrderPermissions() { return E_NOTIMPL; }
STDMETHODIMP File::get_Drive(IDrive** ppdrive) { return E_NOTIMPL; }
STDMETHODIMP File::InitFolderName(const wchar_t* folder, BSTR name) { return E_NOTIMPL; }
STDMETHODIMP File::InitPath(BSTR path) { return E_NOTIMPL; }

}  // namespace docket
