// A folder is made for a path once: the path is made absolute and must name a directory.
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"
#include "fsobjects/full_path.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP Folder::InitPath(BSTR path) {
  return location_.BindOnce([&](Location* here) {
    const PlatformPath given = ToPlatformPath(path);
    if (!given) return ReportRefusedPath(ClassId(), given);
    FullPath full;
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), given.text, kFolderPathBuffer, &full));
    const DWORD attributes = ::GetFileAttributesA(full.text.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ReportLastError(ClassId());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return ReportError(ClassId(), L"Argument must be a directory.", 0);
    here->name = std::move(full.finalPart);
    here->path = std::move(full.text);
    return S_OK;
  });
}

}  // namespace docket
