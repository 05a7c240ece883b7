// The system's well-known folders, handed out as Folder objects.
#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "manager/folder_maker.h"
#include "module/error_report.h"

namespace docket {
namespace {

// The folder's path as the platform gives it, or the refusal of it (a folder named with a
// character the system code page lacks, such as a profile folder's, is refused).
HRESULT QuerySpecialFolder(SpecialFolderConst which, std::string* path) {
  PlatformPath folder = QueryPlatformPath(MAX_PATH, [&](wchar_t* buffer, DWORD chars) -> DWORD {
    switch (which) {
      case WindowsFolder: return ::GetWindowsDirectoryW(buffer, chars);
      case SystemFolder: return ::GetSystemDirectoryW(buffer, chars);
      case TemporaryFolder: return ::GetTempPathW(chars, buffer);
    }
    return 0;
  });
  if (!folder) return ReportRefusedPath(FileManager::ClassId(), folder);
  *path = std::move(folder.text);
  // The temporary folder comes with a closing backslash that the other two do not have.
  if (which == TemporaryFolder) path->pop_back();
  return S_OK;
}

}  // namespace

STDMETHODIMP FileManager::GetSpecialFolder(SpecialFolderConst SpecialFolder, IFolder** ppfolder) {
  if (!ppfolder) return E_POINTER;
  *ppfolder = nullptr;
  if (SpecialFolder != WindowsFolder && SpecialFolder != SystemFolder &&
      SpecialFolder != TemporaryFolder)
    return ReportError(ClassId(), L"Invalid argument", E_INVALIDARG);
  return com::Guarded([&] {
    std::string path;
    DOCKET_RETURN_IF_FAILED(QuerySpecialFolder(SpecialFolder, &path));
    return MakeFolder(com::AnsiToBstr(path).get(), ppfolder);
  });
}

}  // namespace docket
