#include "manager/folder_maker.h"

#include "com/make_child.h"
#include "fsobjects/folder.h"

namespace docket {

HRESULT MakeFolder(BSTR path, IFolder** out) {
  return com::MakeChild<Folder>(out, [&](Folder& folder) { return folder.InitPath(path); });
}

}  // namespace docket
