// How a Drive comes to know its drive, and how a DriveSpec is tested for existence
// without making one.
#include "fsobjects/drive.h"
#include "fsobjects/drive_spec.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {
namespace {

// An empty text is no root at all, whatever the platform makes of it (the current drive, or none).
bool RootExists(const std::string& root) {
  return !root.empty() && ::GetDriveTypeA(root.c_str()) != DRIVE_NO_ROOT_DIR;
}

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool Drive::Exists(const std::string& spec) {
  if (drivespec::IsUnc(spec)) return PathExists(spec);
  if (spec.size() <= drivespec::kRootLength) return RootExists(drivespec::CompleteRoot(spec));
  return false;
}

STDMETHODIMP Drive::Init(BSTR spec) {
  return location_.BindOnce([&](Location* here) {
    PlatformPath given = ToPlatformPath(spec);
    if (!given) return ReportRefusedPath(ClassId(), given);
    if (given.text.size() > drivespec::kRootLength) {
      if (!PathExists(given.text)) return ReportLastError(ClassId());
      here->path = std::move(given.text);
      here->share = true;
      return S_OK;
    }
    here->path = drivespec::CompleteRoot(given.text);
    if (!RootExists(here->path)) return ReportError(ClassId(), L"Device Unavailable.", 0);
    return S_OK;
  });
}

HRESULT Drive::InitListedRoot(const std::string& root) {
  return location_.BindOnce([&](Location* here) {
    here->path = root;
    return S_OK;
  });
}

}  // namespace docket
