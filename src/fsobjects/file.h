// One file on disk, named by the path it was made for; every property is read afresh.
#pragma once

#include "com/com_object.h"
#include "crypto/block_file_cipher.h"
#include "fsobjects/image_header.h"
#include "module/binding.h"
#include "module/init_interfaces.h"
#include "security/acl_holder.h"

#include <string>

namespace docket {

class File final : public com::ComObject<File, IFile, IFileInit, IItemAclInit> {
 public:
  static const CLSID& ClassId() { return CLSID_File; }

  // IFile
  STDMETHODIMP get__NewEnum(IUnknown** ppEnum) override;
  STDMETHODIMP get_Path(BSTR* pbstrPath) override;
  STDMETHODIMP get_Name(BSTR* pbstrName) override;
  STDMETHODIMP put_Name(BSTR pbstrName) override;
  STDMETHODIMP get_Type(BSTR* pbstrType) override;
  STDMETHODIMP get_DateCreated(DATE* pdate) override;
  STDMETHODIMP get_DateLastModified(DATE* pdate) override;
  STDMETHODIMP get_DateLastAccessed(DATE* pdate) override;
  STDMETHODIMP get_Attributes(QFFileAttribute* pfa) override;
  STDMETHODIMP put_Attributes(QFFileAttribute pfa) override;
  STDMETHODIMP Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP Move(BSTR Destination, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP Append(BSTR bstrFileAppendTo) override;
  STDMETHODIMP Compare(BSTR bstrFileCompareTo) override;
  STDMETHODIMP get_Size(VARIANT* pvarSize) override;
  STDMETHODIMP AllowAccess(BSTR AccountName, QFPermissionRights Val) override;
  STDMETHODIMP DenyAccess(BSTR AccountName, QFPermissionRights Val) override;
  STDMETHODIMP RevokeAllowance(BSTR AccountName) override;
  STDMETHODIMP RevokeDenial(BSTR AccountName) override;
  STDMETHODIMP get_ParentFolder(IFolder** ppfolder) override;
  STDMETHODIMP get_MimeType(BSTR* pbstrMimeType) override;
  STDMETHODIMP Delete(VARIANT_BOOL Force) override;
  STDMETHODIMP get_Owner(BSTR* pbstrOwner) override;
  STDMETHODIMP put_Owner(BSTR pbstrOwner) override;
  STDMETHODIMP get_ShortPath(BSTR* pbstrPath) override;
  STDMETHODIMP get_ShortName(BSTR* pbstrName) override;
  STDMETHODIMP Encrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) override;
  STDMETHODIMP Decrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) override;
  STDMETHODIMP get_Permissions(IDispatch** ppPermissions) override;
  STDMETHODIMP get_ImageWidth(LONG* pWidth) override;
  STDMETHODIMP get_ImageHeight(LONG* pHeight) override;
  STDMETHODIMP get_ImageColor(LONG* pColors) override;
  STDMETHODIMP get_Accessible(LONG* pAccessible) override;
  STDMETHODIMP get_FileSystem(QFFileSystemType* pfs) override;
  STDMETHODIMP OrderPermissions() override;
  STDMETHODIMP get_Drive(IDrive** ppdrive) override;
  STDMETHODIMP OpenAsTextStream(IOMode IOMode, Tristate Format, ITextStream** ppts) override;
  STDMETHODIMP OpenAsBinaryStream(IOMode IOMode, IBinaryStream** ppbs) override;

  // IFileInit
  STDMETHODIMP InitFolderName(const wchar_t* folder, BSTR name) override;
  STDMETHODIMP InitPath(BSTR path) override;

  // IItemAclInit
  STDMETHODIMP UseAcl(const ACL* acl) override;

 private:
  // Paths are kept in the system code page, as every platform call takes them.
  struct Location {
    std::string name;        // the file name without folder
    std::string folderPart;  // the folder, ending in a backslash when split off a path
    std::string path;        // the full path as given, or folder part + name
    bool accessible = false;  // the file could be opened at initialisation (not access denied)
  };

  // Probes the file named by here->path; fails unless it can be looked at or only access is denied.
  static HRESULT Probe(Location* here);
  // What the first completed image probe measured; final for the object's life (objectLock_).
  image::Dimensions image_;
  bool imageProbed_ = false;
  // The image dimensions: the kept ones, or those of a probe of the file now.
  HRESULT ImageDimensions(image::Dimensions* out);
  HRESULT ImageField(std::uint32_t image::Dimensions::*field, LONG* out);
  // Where Copy and Move put the file: a bare name stays in this file's folder.
  static std::string ResolveDestination(const Location& here, const std::string& destination);
  // Encrypt and Decrypt: this file into `outFile` by the method `type` names.
  HRESULT RunCipher(BSTR outFile, BSTR password, QFENCTYPE type, crypto::CipherDirection direction);

  Binding<Location> location_;
  AclHolderSlot aclHolder_;  // shared with the file's permission enumerators and entries
};

}  // namespace docket
