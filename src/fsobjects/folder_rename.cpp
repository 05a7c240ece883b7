// Renaming a folder in place; unlike a File, the object follows its folder to the new name.
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP Folder::put_Name(BSTR pbstrName) {
  return WithPath([&](const std::string& path) {
    const PlatformPath given = ToPlatformPath(pbstrName);
    if (!given) return ReportRefusedPath(ClassId(), given);
    std::string renamed = path.substr(0, LastSeparatorOf(path) + 1) + given.text;
    if (!FitsPath(renamed)) return ReportPathTooLong(ClassId());
    if (!::MoveFileExA(path.c_str(), renamed.c_str(),
                       MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
      return ReportLastError(ClassId());
    // A name given with a backslash moved the folder further down: its name is the last part.
    std::string name = renamed.substr(LastSeparatorOf(renamed) + 1);
    location_.Update([&](Location& here) {
      here.name.swap(name);
      here.path.swap(renamed);
    });
    return S_OK;
  });
}

}  // namespace docket
