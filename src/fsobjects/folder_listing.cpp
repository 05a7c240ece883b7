// Files and SubFolders: each call lists the directory afresh and returns a new snapshot holding
// fully made objects. A directory that cannot be listed gives an empty collection; an entry whose
// object cannot be made (it vanished meanwhile, or the platform refuses even to look at it) is
// left out. So is an entry whose name has no exact form in the system code page: an object for
// it would have no path of its own, only one that names another entry or none.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/directory_search.h"
#include "fsobjects/file.h"
#include "fsobjects/file_collection.h"
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"
#include "fsobjects/folder_collection.h"
#include "fsobjects/tree_walk.h"
#include "module/error_report.h"

namespace docket {
namespace {

HRESULT AddFiles(const std::string& folder, const std::string& pattern, IFileCollectionInit* files) {
  DirectorySearch search;
  if (!search.Start(pattern)) return S_OK;
  const std::wstring wideFolder = com::FromAnsi(folder);
  do {
    if (search.isDirectory() || !search.hasExactName()) continue;
    com::ComPtr<File> file;
    DOCKET_RETURN_IF_FAILED(File::Create(&file));
    com::ComPtr<IFileInit> init;
    DOCKET_RETURN_IF_FAILED(file.As(&init));
    const com::Bstr name(search.wideName());
    if (FAILED(init->InitFolderName(wideFolder.c_str(), name.get()))) continue;
    DOCKET_RETURN_IF_FAILED(keyed_collection::AddObject(files, search.name(), init.get()));
  } while (search.Advance());
  return S_OK;
}

HRESULT AddSubFolders(const std::string& folder, IFolderCollectionInit* folders) {
  DirectorySearch search;
  if (!search.Start(folder + "\\*")) return S_OK;
  do {
    if (!search.isDirectory() || search.isDotEntry() || !search.hasExactName()) continue;
    std::string childPath;
    if (!JoinPath(folder, search.name(), &childPath)) continue;  // no Folder can be made for it
    com::ComPtr<Folder> child;
    DOCKET_RETURN_IF_FAILED(Folder::Create(&child));
    com::ComPtr<IFolderInit> init;
    DOCKET_RETURN_IF_FAILED(child.As(&init));
    if (FAILED(init->InitPath(com::AnsiToBstr(childPath).get()))) continue;
    DOCKET_RETURN_IF_FAILED(keyed_collection::AddObject(folders, search.name(), init.get()));
  } while (search.Advance());
  return S_OK;
}

}  // namespace

STDMETHODIMP Folder::get_Files(IFileCollection** ppfiles) {
  if (!ppfiles) return E_POINTER;
  *ppfiles = nullptr;
  return WithPath([&](const std::string& folder) {
    const PlatformPath wildCard = ToPlatformPath(WildCardSnapshot());
    if (!wildCard) return ReportRefusedPath(ClassId(), wildCard);
    // The separator always goes in: after a path that ends in one, the doubled one counts as one.
    const std::string pattern = folder + "\\" + wildCard.text;
    if (!FitsPath(pattern)) return ReportPathTooLong(ClassId());
    return com::MakeChild<FileCollection>(ppfiles, [&](FileCollection& files) {
      DOCKET_RETURN_IF_FAILED(AddFiles(folder, pattern, &files));
      files.Seal();
      return S_OK;
    });
  });
}

// Every subdirectory, whatever SearchWildCard says.
STDMETHODIMP Folder::get_SubFolders(IFolderCollection** ppfolders) {
  if (!ppfolders) return E_POINTER;
  *ppfolders = nullptr;
  return WithPath([&](const std::string& folder) {
    return com::MakeChild<FolderCollection>(ppfolders, [&](FolderCollection& folders) {
      DOCKET_RETURN_IF_FAILED(AddSubFolders(folder, &folders));
      folders.Seal();
      return S_OK;
    });
  });
}

}  // namespace docket
