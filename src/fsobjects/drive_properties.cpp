// What a Drive tells about its name and kind: answers that never fail on a system error.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/drive.h"
#include "fsobjects/drive_spec.h"
#include "fsobjects/folder.h"

#include <winnetwk.h>

namespace docket {

STDMETHODIMP Drive::get_Path(BSTR* pbstrPath) {
  DOCKET_RETURN_IF_NULL(pbstrPath);
  *pbstrPath = nullptr;
  return com::Guarded(
      [&] { return com::ReturnWide(drivespec::DisplayName(com::FromAnsi(path_)), pbstrPath); });
}

STDMETHODIMP Drive::get_DriveLetter(BSTR* pbstrLetter) {
  DOCKET_RETURN_IF_NULL(pbstrLetter);
  *pbstrLetter = nullptr;
  return com::Guarded([&] {
    const std::wstring path = com::FromAnsi(path_);
    return com::ReturnWide(std::wstring_view(path).substr(0, 1), pbstrLetter);
  });
}

// A share names itself; a drive letter may stand for a network connection, whose remote name the
// network provider knows. Anything else has no share name.
STDMETHODIMP Drive::get_ShareName(BSTR* pbstrShareName) {
  DOCKET_RETURN_IF_NULL(pbstrShareName);
  *pbstrShareName = nullptr;
  return com::Guarded([&] {
    if (share_) return com::ReturnAnsi(path_, pbstrShareName);
    const std::string local = path_.substr(0, path_.find('\\'));
    char remote[MAX_PATH];
    DWORD length = sizeof remote;
    if (::WNetGetConnectionA(local.c_str(), remote, &length) != NO_ERROR) remote[0] = '\0';
    return com::ReturnAnsi(remote, pbstrShareName);
  });
}

// The platform counts from "unknown" (0) and "no root directory" (1); the type library has no
// constant for the latter, nor for kinds added after a RAM disk, so those read as Unknown.
STDMETHODIMP Drive::get_DriveType(DriveTypeConst* pdt) {
  DOCKET_RETURN_IF_NULL(pdt);
  *pdt = DriveTypeUnknown;
  return com::Guarded([&] {
    const UINT kind = ::GetDriveTypeA(drivespec::QueryRoot(path_).c_str());
    if (kind >= DRIVE_REMOVABLE && kind <= DRIVE_RAMDISK) *pdt = static_cast<DriveTypeConst>(kind - 1);
    return S_OK;
  });
}

STDMETHODIMP Drive::get_RootFolder(IFolder** ppfolder) {
  DOCKET_RETURN_IF_NULL(ppfolder);
  *ppfolder = nullptr;
  return com::Guarded([&] {
    const com::Bstr root = com::AnsiToBstr(path_);
    return com::MakeChild<Folder>(ppfolder, [&](Folder& folder) { return folder.InitPath(root.get()); });
  });
}

}  // namespace docket
