// The service's drive members: the snapshot of the machine's drives, one drive by its
// DriveSpec, and the existence test that makes no object.
#include "com/make_child.h"
#include "fsobjects/drive.h"
#include "fsobjects/drive_collection.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "module/error_report.h"

#include <cstring>

namespace docket {

// Every root the system lists, in a new snapshot; a listed root without a root directory (a
// letter whose device has gone) is left out, as GetDrive would refuse it.
STDMETHODIMP FileManager::get_Drives(IDriveCollection** ppdrives) {
  DOCKET_RETURN_IF_NULL(ppdrives);
  *ppdrives = nullptr;
  return com::Guarded([&] {
    // Each root is four bytes (C:\ and its NUL): room for every letter of the alphabet and more.
    char roots[1000];
    const DWORD length = ::GetLogicalDriveStringsA(sizeof roots, roots);
    if (length == 0) return ReportLastError(ClassId());
    if (length >= sizeof roots) return ReportSystemError(ClassId(), ERROR_INSUFFICIENT_BUFFER);
    return com::MakeChild<DriveCollection>(ppdrives, [&](DriveCollection& drives) {
      for (const char* root = roots; *root; root += std::strlen(root) + 1) {
        if (!Drive::Exists(root)) continue;
        com::ComPtr<Drive> drive;
        DOCKET_RETURN_IF_FAILED(Drive::Create(&drive));
        DOCKET_RETURN_IF_FAILED(drive->InitListedRoot(root));
        DOCKET_RETURN_IF_FAILED(
            keyed_collection::AddObject(&drives, root, static_cast<IDrive*>(drive.get())));
      }
      drives.Seal();
      return S_OK;
    });
  });
}

STDMETHODIMP FileManager::GetDrive(BSTR DriveSpec, IDrive** ppdrive) {
  DOCKET_RETURN_IF_NULL(ppdrive);
  return com::MakeChild<Drive>(ppdrive, [&](Drive& drive) { return drive.Init(DriveSpec); });
}

// Never fails: a DriveSpec that cannot even be converted names no drive.
STDMETHODIMP FileManager::DriveExists(BSTR DriveSpec, VARIANT_BOOL* pfExists) {
  DOCKET_RETURN_IF_NULL(pfExists);
  *pfExists = VARIANT_FALSE;
  return com::Guarded([&] {
    const PlatformPath spec = ToPlatformPath(DriveSpec);
    if (spec && Drive::Exists(spec.text)) *pfExists = VARIANT_TRUE;
    return S_OK;
  });
}

}  // namespace docket
