// One directory, named by its full path; every property is read afresh.
#pragma once

#include "com/com_object.h"

#include <string>
#include "module/init_interfaces.h"
#include "security/acl_holder.h"

namespace docket {

class Folder final : public com::ComObject<Folder, IFolder, IFolderInit, IItemAclInit> {
 public:
  static const CLSID& ClassId() { return CLSID_Folder; }

  // IFolder
  STDMETHODIMP get__NewEnum(IUnknown** ppEnum) override;
  STDMETHODIMP get_Path(BSTR* pbstrPath) override;
  STDMETHODIMP get_Files(IFileCollection** ppfiles) override;
  STDMETHODIMP get_SearchWildCard(BSTR* pbstrWildCard) override;
  STDMETHODIMP put_SearchWildCard(BSTR pbstrWildCard) override;
  STDMETHODIMP get_ShortPath(BSTR* pbstrPath) override;
  STDMETHODIMP get_ShortName(BSTR* pbstrName) override;
  STDMETHODIMP get_Name(BSTR* pbstrName) override;
  STDMETHODIMP put_Name(BSTR pbstrName) override;
  STDMETHODIMP get_SubFolders(IFolderCollection** ppfolders) override;
  STDMETHODIMP get_DateCreated(DATE* pdate) override;
  STDMETHODIMP get_DateLastModified(DATE* pdate) override;
  STDMETHODIMP get_DateLastAccessed(DATE* pdate) override;
  STDMETHODIMP get_Attributes(QFFileAttribute* pfa) override;
  STDMETHODIMP put_Attributes(QFFileAttribute pfa) override;
  STDMETHODIMP get_Size(VARIANT* pvarSize) override;
  STDMETHODIMP get_ParentFolder(IFolder** ppfolder) override;
  STDMETHODIMP get_IsRootFolder(VARIANT_BOOL* pfRootFolder) override;
  STDMETHODIMP AllowAccess(BSTR AccountName, QFPermissionRights Val, QFPermissionRightsType Type) override;
  STDMETHODIMP get_FileSystem(QFFileSystemType* pfs) override;
  STDMETHODIMP OrderPermissions() override;
  STDMETHODIMP DenyAccess(BSTR AccountName, QFPermissionRights Val) override;
  STDMETHODIMP RevokeAllowance(BSTR AccountName) override;
  STDMETHODIMP RevokeDenial(BSTR AccountName) override;
  STDMETHODIMP get_Owner(BSTR* pbstrOwner) override;
  STDMETHODIMP put_Owner(BSTR pbstrOwner) override;
  STDMETHODIMP get_Permissions(IDispatch** ppPermissions) override;
  STDMETHODIMP get_Accessible(LONG* pAccessible) override;
  STDMETHODIMP get_Drive(IDrive** ppdrive) override;
  STDMETHODIMP get_Type(BSTR* pbstrType) override;
  STDMETHODIMP Delete(VARIANT_BOOL Force) override;
  STDMETHODIMP Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP Move(BSTR Destination) override;
  STDMETHODIMP CreateTextFile(BSTR FileName, VARIANT_BOOL Overwrite, VARIANT_BOOL Unicode, ITextStream** ppts) override;
  STDMETHODIMP CreateBinaryFile(BSTR FileName, VARIANT_BOOL Overwrite, IBinaryStream** ppbs) override;

  // IFolderInit
  STDMETHODIMP InitPath(BSTR path) override;

  // IItemAclInit
  STDMETHODIMP UseAcl(const ACL* acl) override;

 private:
  // Paths are kept in the system code page. Name and path change together when the folder is
  // renamed, so readers and the rename take objectLock_.
  std::string name_;              // last component; empty for a root or a trailing backslash
  std::string searchWildCard_ = "*";  // what Files matches names against
  std::string path_;              // the full path computed at initialisation
  AclHolderSlot aclHolder_;       // shared with the folder's permission enumerators and entries

  // Copies of the fields and their replacement, under objectLock_ (folder_state.cpp).
  std::string PathSnapshot();
  std::string WildCardSnapshot();
  void SetLocation(std::string name, std::string path);
};

}  // namespace docket
