// The service's folder fronts: each makes a Folder for the caller's path and lets it do the work;
// whatever the Folder reports reaches the caller unchanged.
#include "manager/file_manager.h"
#include "manager/folder_maker.h"
#include "module/policy.h"

namespace docket {

STDMETHODIMP FileManager::GetFolder(BSTR FolderPath, IFolder** ppfolder) {
  if (!ppfolder) return E_POINTER;
  return MakeFolder(FolderPath, ppfolder);
}

// Refused before the folder is even looked at, so a missing one is refused too.
STDMETHODIMP FileManager::DeleteFolder(BSTR FolderSpec, VARIANT_BOOL Force) {
  if (Policy::DeleteDisabled()) return Policy::Refuse(ClassId());
  com::ComPtr<IFolder> folder;
  DOCKET_RETURN_IF_FAILED(MakeFolder(FolderSpec, folder.put()));
  return folder->Delete(Force);
}

STDMETHODIMP FileManager::MoveFolder(BSTR Source, BSTR Destination) {
  com::ComPtr<IFolder> folder;
  DOCKET_RETURN_IF_FAILED(MakeFolder(Source, folder.put()));
  return folder->Move(Destination);
}

STDMETHODIMP FileManager::CopyFolder(BSTR Source, BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  com::ComPtr<IFolder> folder;
  DOCKET_RETURN_IF_FAILED(MakeFolder(Source, folder.put()));
  return folder->Copy(Destination, OverWriteFiles);
}

}  // namespace docket
