// One directory, named by its full path; every property is read afresh.
#pragma once

#include "com/com_object.h"
#include "module/binding.h"
#include "module/init_interfaces.h"
#include "security/acl_holder.h"

#include <string>

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
  // renamed.
  struct Location {
    std::string name;  // last component; empty for a root or a trailing backslash
    std::string path;  // the full path computed at initialisation
  };

  // body(path) for a member that works on the folder on disk; refused while nothing is bound.
  template <class Body>
  HRESULT WithPath(Body&& body) const {
    return location_.Use(ClassId(), [&](const Location& here) { return body(here.path); });
  }
  // A copy of the pattern that Files matches names against, under objectLock_.
  std::wstring WildCardSnapshot();

  Binding<Location> location_;
  std::wstring searchWildCard_ = L"*";  // as the script gave it (objectLock_)
  AclHolderSlot aclHolder_;  // shared with the folder's permission enumerators and entries
};

}  // namespace docket
