// A folder is made for a path once: the path is made absolute and must name a directory.
#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"
#include "fsobjects/full_path.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP Folder::InitPath(BSTR path) {
  return location_.BindOnce([&](Location* here) {
    const std::optional<std::string> given = FittingAnsiPath(path);
    if (!given) return ReportPathTooLong(ClassId());
    FullPath full;
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), *given, kFolderPathBuffer, &full));
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
