// The folder that holds a file, made afresh from the file's folder part.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/file.h"
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"

namespace docket {
namespace {

// The folder part without its closing backslash, except where that backslash is the root's own
// (C:\ stays C:\). A file named without any folder lies in the current directory.
std::string ParentPathOf(const std::string& folderPart) {
  if (folderPart.empty()) return ".";
  const std::string_view unclosed(folderPart.data(), folderPart.size() - 1);
  if (folderPart.size() > 2 && EndsWithSeparator(folderPart) &&
      !text::EndsWithOneOf(unclosed, ":", com::SystemLeadBytes()))
    return std::string(unclosed);
  return folderPart;
}

}  // namespace

STDMETHODIMP File::get_ParentFolder(IFolder** ppfolder) {
  if (!ppfolder) return E_POINTER;
  *ppfolder = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    const com::Bstr parent = com::AnsiToBstr(ParentPathOf(here.folderPart));
    return com::MakeChild<Folder>(ppfolder,
                                  [&](Folder& folder) { return folder.InitPath(parent.get()); });
  });
}

}  // namespace docket
