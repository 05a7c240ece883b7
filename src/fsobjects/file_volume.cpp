// The kind of file system a File lives on, as far as the type library names kinds.
#include "fsobjects/file.h"

#include <string_view>

namespace docket {
namespace {

// The root of the volume that holds a folder: "C:\" for a drive path, "\\server\share\" for a
// network path, and "\" (the current drive) for a path that names neither.
std::string VolumeRootOf(const std::string& folder) {
  if (folder.size() >= 2 && folder[1] == ':') return folder.substr(0, 2) + '\\';
  if (folder.rfind("\\\\", 0) == 0) {
    const size_t server = folder.find('\\', 2);
    const size_t share = server == std::string::npos ? server : folder.find('\\', server + 1);
    if (share != std::string::npos) return folder.substr(0, share + 1);
  }
  return "\\";
}

}  // namespace

STDMETHODIMP File::get_FileSystem(QFFileSystemType* pfs) {
  DOCKET_RETURN_IF_NULL(pfs);
  // Without a folder part there is no volume to ask about; S_FALSE says "no answer" without
  // counting as a failure.
  if (folderPart_.empty()) return S_FALSE;
  return com::Guarded([&] {
    char name[MAX_PATH];
    if (!::GetVolumeInformationA(VolumeRootOf(folderPart_).c_str(), nullptr, 0, nullptr, nullptr,
                                 nullptr, name, sizeof name))
      return S_FALSE;
    const std::string_view fileSystem(name);
    if (fileSystem == "NTFS") *pfs = QFFILESYSTEM_NTFS;
    else if (fileSystem == "FAT32") *pfs = QFFILESYSTEM_FAT32;
    else if (fileSystem.find("FAT") != std::string_view::npos) *pfs = QFFILESYSTEM_FAT;
    else return S_FALSE;  // a kind the type library has no name for (a CD, a network volume)
    return S_OK;
  });
}

}  // namespace docket
