// What a Drive tells about its name and kind: answers that never fail on a system error.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/drive.h"
#include "fsobjects/folder.h"

#include <winnetwk.h>

namespace docket {

// Path and DriveLetter report what the drive holds: nothing, for one created by name.
STDMETHODIMP Drive::get_Path(BSTR* pbstrPath) {
  DOCKET_RETURN_IF_NULL(pbstrPath);
  *pbstrPath = nullptr;
  return com::Guarded([&] {
    const std::wstring path = com::FromAnsi(location_.Peek().path);
    return com::ReturnWide(drivespec::DisplayName(path), pbstrPath);
  });
}

STDMETHODIMP Drive::get_DriveLetter(BSTR* pbstrLetter) {
  DOCKET_RETURN_IF_NULL(pbstrLetter);
  *pbstrLetter = nullptr;
  return com::Guarded([&] {
    const std::wstring path = com::FromAnsi(location_.Peek().path);
    return com::ReturnWide(std::wstring_view(path).substr(0, 1), pbstrLetter);
  });
}

// A share names itself; a drive letter may stand for a network connection, whose remote name the
// network provider knows. Anything else has no share name. The remote name is only handed on,
// never named to the platform here: it goes back as the provider holds it, whatever characters it
// has (as a path argument it meets the same refusal as any other).
STDMETHODIMP Drive::get_ShareName(BSTR* pbstrShareName) {
  DOCKET_RETURN_IF_NULL(pbstrShareName);
  *pbstrShareName = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    if (here.share) return com::ReturnAnsi(here.path, pbstrShareName);
    const std::wstring local = com::FromAnsi(here.path.substr(0, here.path.find('\\')));
    wchar_t remote[MAX_PATH];
    DWORD length = MAX_PATH;
    if (::WNetGetConnectionW(local.c_str(), remote, &length) != NO_ERROR) remote[0] = L'\0';
    return com::ReturnWide(remote, pbstrShareName);
  });
}

// The platform counts from "unknown" (0) and "no root directory" (1); the type library has no
// constant for the latter, nor for kinds added after a RAM disk, so those read as Unknown.
STDMETHODIMP Drive::get_DriveType(DriveTypeConst* pdt) {
  DOCKET_RETURN_IF_NULL(pdt);
  *pdt = DriveTypeUnknown;
  return WithQueryRoot([&](const std::string& root) {
    const UINT kind = ::GetDriveTypeA(root.c_str());
    if (kind >= DRIVE_REMOVABLE && kind <= DRIVE_RAMDISK)
      *pdt = static_cast<DriveTypeConst>(kind - 1);
    return S_OK;
  });
}

STDMETHODIMP Drive::get_RootFolder(IFolder** ppfolder) {
  DOCKET_RETURN_IF_NULL(ppfolder);
  *ppfolder = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    const com::Bstr root = com::AnsiToBstr(here.path);
    return com::MakeChild<Folder>(ppfolder,
                                  [&](Folder& folder) { return folder.InitPath(root.get()); });
  });
}

}  // namespace docket
