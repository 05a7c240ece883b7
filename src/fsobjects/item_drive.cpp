// The drive that holds a file or a folder: the root of its absolute path, made into a new Drive.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/drive.h"
#include "fsobjects/drive_spec.h"
#include "fsobjects/file.h"
#include "fsobjects/folder.h"
#include "fsobjects/full_path.h"

namespace docket {
namespace {

HRESULT MakeDriveOf(const std::string& absolutePath, IDrive** ppdrive) {
  const com::Bstr root(drivespec::ItemRoot(com::FromAnsi(absolutePath)));
  return com::MakeChild<Drive>(ppdrive, [&](Drive& drive) { return drive.Init(root.get()); });
}

}  // namespace

// A file named relative to the current directory lies on the current drive.
STDMETHODIMP File::get_Drive(IDrive** ppdrive) {
  DOCKET_RETURN_IF_NULL(ppdrive);
  *ppdrive = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    FullPath full;
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), here.path, kFullPathBuffer, &full));
    return MakeDriveOf(full.text, ppdrive);
  });
}

STDMETHODIMP Folder::get_Drive(IDrive** ppdrive) {
  DOCKET_RETURN_IF_NULL(ppdrive);
  *ppdrive = nullptr;
  return WithPath([&](const std::string& path) { return MakeDriveOf(path, ppdrive); });
}

}  // namespace docket
