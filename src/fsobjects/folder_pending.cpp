// Members of Folder that are not built yet answer E_NOTIMPL.
#include "fsobjects/folder.h"

namespace docket {

STDMETHODIMP Folder::get__NewEnum(IUnknown** ppEnum) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Path(BSTR* pbstrPath) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Files(IFileCollection** ppfiles) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_SearchWildCard(BSTR* pbstrWildCard) { return E_NOTIMPL; }
STDMETHODIMP Folder::put_SearchWildCard(BSTR pbstrWildCard) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_ShortPath(BSTR* pbstrPath) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_ShortName(BSTR* pbstrName) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Name(BSTR* pbstrName) { return E_NOTIMPL; }
STDMETHODIMP Folder::put_Name(BSTR pbstrName) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_SubFolders(IFolderCollection** ppfolders) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_DateCreated(DATE* pdate) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_DateLastModified(DATE* pdate) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_DateLastAccessed(DATE* pdate) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Attributes(QFFileAttribute* pfa) { return E_NOTIMPL; }
STDMETHODIMP Folder::put_Attributes(QFFileAttribute pfa) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Size(VARIANT* pvarSize) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_ParentFolder(IFolder** ppfolder) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_IsRootFolder(VARIANT_BOOL* pfRootFolder) { return E_NOTIMPL; }
STDMETHODIMP Folder::AllowAccess(BSTR AccountName, QFPermissionRights Val, QFPermissionRightsType Type) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_FileSystem(QFFileSystemType* pfs) { return E_NOTIMPL; }
STDMETHODIMP Folder::OrderPermissions() { return E_NOTIMPL; }
STDMETHODIMP Folder::DenyAccess(BSTR AccountName, QFPermissionRights Val) { return E_NOTIMPL; }
STDMETHODIMP Folder::RevokeAllowance(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP Folder::RevokeDenial(BSTR AccountName) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Owner(BSTR* pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP Folder::put_Owner(BSTR pbstrOwner) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Permissions(IDispatch** ppPermissions) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Accessible(LONG* pAccessible) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Drive(IDrive** ppdrive) { return E_NOTIMPL; }
STDMETHODIMP Folder::get_Type(BSTR* pbstrType) { return E_NOTIMPL; }
STDMETHODIMP Folder::Delete(VARIANT_BOOL Force) { return E_NOTIMPL; }
STDMETHODIMP Folder::Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) { return E_NOTIMPL; }
STDMETHODIMP Folder::Move(BSTR Destination) { return E_NOTIMPL; }
STDMETHODIMP Folder::InitPath(BSTR path) { return E_NOTIMPL; }

}  // namespace docket
