// The root service object: scripts create it by name and reach everything else through it.
#pragma once

#include "com/com_object.h"
#include "com/com_ptr.h"

namespace docket {

class FileManager final : public com::ComObject<FileManager, IFileManager, IObjectSafety> {
 public:
  static const CLSID& ClassId() { return CLSID_FileManager; }

  // IFileManager
  STDMETHODIMP OnStartPage(IUnknown* piUnk) override;
  STDMETHODIMP OnEndPage() override;
  STDMETHODIMP MoveFile(BSTR Source, BSTR Destination, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP CopyFile(BSTR Source, BSTR Destination, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP GetFile(BSTR FilePath, IFile** ppfile) override;
  STDMETHODIMP GetFolder(BSTR FolderPath, IFolder** ppfolder) override;
  STDMETHODIMP FolderExists(BSTR FolderSpec, VARIANT_BOOL* pfExists) override;
  STDMETHODIMP FileExists(BSTR FileSpec, VARIANT_BOOL* pfExists) override;
  STDMETHODIMP CreateFile(BSTR FileName, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP CreateUniqueFile(BSTR FileName, BSTR prefixString, BSTR* pbstrPath) override;
  STDMETHODIMP RegisterDLL(BSTR DLLFileName, VARIANT_BOOL Register) override;
  STDMETHODIMP ExportToBlob(BSTR srcFileName, VARIANT recordSet) override;
  STDMETHODIMP ImportFromBlob(VARIANT srcRecordSet, BSTR targetFileName) override;
  STDMETHODIMP RevertToSelf() override;
  STDMETHODIMP LogonUser(BSTR Domain, BSTR UserID, BSTR Password, QFLogonType Flag, LONG* pbSuccess) override;
  STDMETHODIMP DeleteFile(BSTR FileSpec, VARIANT_BOOL Force) override;
  STDMETHODIMP get_CurrentUser(BSTR* pbstrUser) override;
  STDMETHODIMP get_ProcessUser(BSTR* pbstrUser) override;
  STDMETHODIMP INIReadString(BSTR FileName, BSTR Section, BSTR Key, BSTR Default, BSTR* pbstrValue) override;
  STDMETHODIMP INIWriteString(BSTR FileName, BSTR Section, BSTR Key, BSTR Value) override;
  STDMETHODIMP INIReadInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Default, LONG* plValue) override;
  STDMETHODIMP INIWriteInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Value) override;
  STDMETHODIMP INIReadBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Default, LONG* plValue) override;
  STDMETHODIMP INIWriteBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Value) override;
  STDMETHODIMP INIDeleteSection(BSTR FileName, BSTR Section) override;
  STDMETHODIMP INIDeleteKey(BSTR FileName, BSTR Section, BSTR Key) override;
  STDMETHODIMP ConcatFiles(BSTR destName, BSTR file1, BSTR file2, BSTR file3, BSTR file4, BSTR file5) override;
  STDMETHODIMP get_Drives(IDriveCollection** ppdrives) override;
  STDMETHODIMP BuildPath(BSTR Path, BSTR Name, BSTR* pbstrResult) override;
  STDMETHODIMP GetDriveName(BSTR Path, BSTR* pbstrResult) override;
  STDMETHODIMP GetParentFolderName(BSTR Path, BSTR* pbstrResult) override;
  STDMETHODIMP GetFileName(BSTR Path, BSTR* pbstrResult) override;
  STDMETHODIMP GetBaseName(BSTR Path, BSTR* pbstrResult) override;
  STDMETHODIMP GetExtensionName(BSTR Path, BSTR* pbstrResult) override;
  STDMETHODIMP GetAbsolutePathName(BSTR Path, BSTR* pbstrResult) override;
  STDMETHODIMP GetTempName(BSTR* pbstrResult) override;
  STDMETHODIMP DriveExists(BSTR DriveSpec, VARIANT_BOOL* pfExists) override;
  STDMETHODIMP GetDrive(BSTR DriveSpec, IDrive** ppdrive) override;
  STDMETHODIMP GetSpecialFolder(SpecialFolderConst SpecialFolder, IFolder** ppfolder) override;
  STDMETHODIMP DeleteFolder(BSTR FolderSpec, VARIANT_BOOL Force) override;
  STDMETHODIMP MoveFolder(BSTR Source, BSTR Destination) override;
  STDMETHODIMP CopyFolder(BSTR Source, BSTR Destination, VARIANT_BOOL OverWriteFiles) override;
  STDMETHODIMP CreateFolder(BSTR Path, IFolder** ppfolder) override;
  STDMETHODIMP CreateTextFile(BSTR FileName, VARIANT_BOOL Overwrite, VARIANT_BOOL Unicode, ITextStream** ppts) override;
  STDMETHODIMP OpenTextFile(BSTR FileName, IOMode IOMode, VARIANT_BOOL Create, Tristate Format, ITextStream** ppts) override;
  STDMETHODIMP CreateBinaryFile(BSTR FileName, VARIANT_BOOL Overwrite, IBinaryStream** ppbs) override;
  STDMETHODIMP OpenBinaryFile(BSTR FileName, IOMode IOMode, VARIANT_BOOL Create, IBinaryStream** ppbs) override;
  STDMETHODIMP EncryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) override;
  STDMETHODIMP DecryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) override;

  // IObjectSafety
  STDMETHODIMP GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) override;
  STDMETHODIMP SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) override;

 private:
  // Puts page objects in place of the ones kept (objectLock_).
  void KeepPageObjects(com::ComPtr<IDispatch> request, com::ComPtr<IDispatch> response,
                       com::ComPtr<IDispatch> server);

  // The web server's page objects, kept from OnStartPage to OnEndPage (objectLock_); nothing
  // reads them.
  com::ComPtr<IDispatch> request_;
  com::ComPtr<IDispatch> response_;
  com::ComPtr<IDispatch> server_;
  DWORD safetyOptions_ = 0;  // enabled IObjectSafety options (objectLock_); nothing consults them
};

}  // namespace docket
