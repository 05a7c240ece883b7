// CreateFolder: makes a directory together with any missing parents, then hands out a Folder
// for the path as the caller wrote it.
#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "manager/folder_maker.h"
#include "module/error_report.h"

#include <string_view>

namespace docket {
namespace {

constexpr unsigned kAttemptsPerLevel = 50;
constexpr std::string_view kSeparators = "\\/";

// Creates dir, first creating its missing parents. A parent is made only when dir cannot be made
// for want of it, and dir is tried again only after its parent was really created; so an existing
// folder, a bad name or an unwritable drive fails at once, and the attempts over all levels never
// exceed the shared budget. On failure the last error tells why.
bool CreateDirectoryChain(std::string dir, unsigned* budget) {
  if (text::EndsWithOneOf(dir, kSeparators, com::SystemLeadBytes())) dir.pop_back();
  for (unsigned attempt = 0; attempt < kAttemptsPerLevel && *budget > 0; ++attempt) {
    --*budget;
    if (::CreateDirectoryA(dir.c_str(), nullptr)) return true;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_ALREADY_EXISTS) return false;
    const size_t cut = text::FindLastOf(dir, kSeparators, com::SystemLeadBytes());
    if (cut == std::string::npos) return false;
    if (!CreateDirectoryChain(dir.substr(0, cut), budget)) {
      // A parent that exists already is not what stopped dir: dir's own error is the answer.
      if (::GetLastError() == ERROR_ALREADY_EXISTS) ::SetLastError(error);
      return false;
    }
  }
  return false;
}

bool CreateDirectoryChain(const std::string& dir) {
  const size_t levels = text::CountOf(dir, kSeparators, com::SystemLeadBytes());
  unsigned budget = kAttemptsPerLevel * (static_cast<unsigned>(levels) + 1);
  return CreateDirectoryChain(dir, &budget);
}

}  // namespace

STDMETHODIMP FileManager::CreateFolder(BSTR Path, IFolder** ppfolder) {
  if (!ppfolder) return E_POINTER;
  *ppfolder = nullptr;
  return com::Guarded([&] {
    const PlatformPath path = ToPlatformPath(Path);
    if (!path) return ReportRefusedPath(ClassId(), path);
    if (!CreateDirectoryChain(path.text)) return ReportLastError(ClassId());
    return MakeFolder(Path, ppfolder);
  });
}

}  // namespace docket
