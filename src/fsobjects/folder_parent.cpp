// The folder above this one. A root is its own parent: the platform's absolute form of
// "<path>\.." comes back unchanged there.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/folder.h"
#include "fsobjects/full_path.h"

namespace docket {
namespace {

HRESULT ParentCandidate(REFCLSID clsid, const std::string& path, FullPath* parent) {
  return ComputeFullPath(clsid, path + "\\..", kFolderPathBuffer, parent);
}

}  // namespace

STDMETHODIMP Folder::get_ParentFolder(IFolder** ppfolder) {
  if (!ppfolder) return E_POINTER;
  *ppfolder = nullptr;
  return WithPath([&](const std::string& path) {
    FullPath parent;
    DOCKET_RETURN_IF_FAILED(ParentCandidate(ClassId(), path, &parent));
    if (parent.text == path) return S_OK;  // a root: the script sees Nothing
    const com::Bstr parentPath = com::AnsiToBstr(parent.text);
    return com::MakeChild<Folder>(ppfolder,
                                  [&](Folder& folder) { return folder.InitPath(parentPath.get()); });
  });
}

STDMETHODIMP Folder::get_IsRootFolder(VARIANT_BOOL* pfRootFolder) {
  if (!pfRootFolder) return E_POINTER;
  *pfRootFolder = VARIANT_FALSE;
  return WithPath([&](const std::string& path) {
    FullPath parent;
    DOCKET_RETURN_IF_FAILED(ParentCandidate(ClassId(), path, &parent));
    *pfRootFolder = parent.text == path ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

}  // namespace docket
