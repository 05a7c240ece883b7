// The system's well-known folders, handed out as Folder objects.
#include "com/ansi.h"
#include "manager/file_manager.h"
#include "manager/folder_maker.h"
#include "module/error_report.h"

namespace docket {
namespace {

// The folder's path as the platform gives it, or the platform's refusal.
HRESULT QuerySpecialFolder(SpecialFolderConst which, std::string* path) {
  char buffer[MAX_PATH];
  DWORD n = 0;
  switch (which) {
    case WindowsFolder: n = ::GetWindowsDirectoryA(buffer, MAX_PATH); break;
    case SystemFolder: n = ::GetSystemDirectoryA(buffer, MAX_PATH); break;
    case TemporaryFolder: n = ::GetTempPathA(MAX_PATH, buffer); break;
  }
  if (n == 0) return ReportLastError(FileManager::ClassId());
  if (n >= MAX_PATH) return ReportPathTooLong(FileManager::ClassId());
  path->assign(buffer, n);
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
