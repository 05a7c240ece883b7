#include "fsobjects/entry_properties.h"

#include "com/ansi.h"
#include "com/guard.h"
#include "fsobjects/directory_search.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

#include <cstring>

namespace docket::entry {
namespace {

// The platform's attribute bits are the type library's values.
constexpr DWORD kReportedAttributes =
    QFReadOnly | QFHidden | QFSystem | QFDirectory | QFArchive | QFAlias | QFCompressed;
constexpr DWORD kUnsettableAttributes = QFDirectory | QFAlias | QFCompressed;
constexpr DWORD kSettableAttributes = QFReadOnly | QFHidden | QFSystem | QFArchive;

const FILETIME& Pick(const WIN32_FIND_DATAW& data, Time which) {
  switch (which) {
    case Time::Created: return data.ftCreationTime;
    case Time::LastAccessed: return data.ftLastAccessTime;
    case Time::LastModified: break;
  }
  return data.ftLastWriteTime;
}

// In a buffer of 256 characters. The file system makes the short names up itself: a form that
// the system code page cannot hold exactly is refused like any other path.
HRESULT ShortForm(REFCLSID clsid, const std::string& path, std::string* out) {
  if (path.size() > com::kMaxPathChars) return ReportPathTooLong(clsid);
  const std::wstring widePath = com::FromAnsi(path);
  PlatformPath shortPath = QueryPlatformPath(256, [&](wchar_t* buffer, DWORD chars) {
    return ::GetShortPathNameW(widePath.c_str(), buffer, chars);
  });
  if (!shortPath) return ReportRefusedPath(clsid, shortPath);
  *out = std::move(shortPath.text);
  return S_OK;
}

// "X:\" for a drive-letter path, "\\server\share\" for a UNC path, "" for a malformed UNC path,
// and "\" (the current drive) for a path that names neither.
std::string VolumeRoot(const std::string& path) {
  const text::LeadBytes& lead = com::SystemLeadBytes();
  if (text::SecondCharacterIs(path, ':', lead)) return path.substr(0, 2) + "\\";
  if (path.rfind("\\\\", 0) != 0) return "\\";
  const size_t server = text::FindFirstOf(path, "\\", lead, 2);
  if (server == std::string::npos || server == 2) return {};
  const size_t share = text::FindFirstOf(path, "\\", lead, server + 1);
  if (share == server + 1) return {};
  return (share == std::string::npos ? path : path.substr(0, share)) + "\\";
}

}  // namespace

HRESULT ReadTime(REFCLSID clsid, const std::string& path, Time which, DATE* out) {
  if (!out) return E_POINTER;
  *out = 0;
  if (path.size() > com::kMaxPathChars) return ReportPathTooLong(clsid);
  FILETIME time;
  {  // the listing's own entry for the path: only its times are read, never its name
    DirectorySearch search;
    if (!search.Start(path)) return ReportLastError(clsid);
    time = Pick(search.entry(), which);
  }
  FILETIME local;
  SYSTEMTIME system;
  if (!::FileTimeToLocalFileTime(&time, &local) ||
      !::FileTimeToSystemTime(&local, &system))
    return ReportLastError(clsid);
  if (!::SystemTimeToVariantTime(&system, out)) return ReportSystemError(clsid, ERROR_INVALID_DATA);
  return S_OK;
}

HRESULT ReadAttributes(REFCLSID clsid, const std::string& path, QFFileAttribute* out) {
  if (!out) return E_POINTER;
  *out = QFNormal;
  if (path.size() > com::kMaxPathChars) return ReportPathTooLong(clsid);
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ReportLastError(clsid);
  *out = static_cast<QFFileAttribute>(attributes & kReportedAttributes);
  return S_OK;
}

HRESULT WriteAttributes(REFCLSID clsid, const std::string& path, QFFileAttribute value) {
  const DWORD requested = static_cast<DWORD>(value);
  if (requested & kUnsettableAttributes) return E_INVALIDARG;
  if (path.size() > com::kMaxPathChars) return ReportPathTooLong(clsid);
  if (!::SetFileAttributesA(path.c_str(), requested & kSettableAttributes))
    return ReportLastError(clsid);
  return S_OK;
}

HRESULT ReadShortPath(REFCLSID clsid, const std::string& path, BSTR* out) {
  std::string shortPath;
  DOCKET_RETURN_IF_FAILED(ShortForm(clsid, path, &shortPath));
  return com::ReturnAnsi(shortPath, out);
}

HRESULT ReadShortName(REFCLSID clsid, const std::string& path, BSTR* out) {
  std::string shortPath;
  DOCKET_RETURN_IF_FAILED(ShortForm(clsid, path, &shortPath));
  return com::ReturnAnsi(std::string_view(shortPath).substr(LastSeparatorOf(shortPath) + 1), out);
}

HRESULT ReadFileSystem(const std::string& path, QFFileSystemType* out) {
  if (!out) return E_POINTER;
  const std::string root = VolumeRoot(path);
  if (root.empty() || root.size() > com::kMaxPathChars) return S_FALSE;
  char name[256];
  if (!::GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, name,
                               sizeof name))
    return S_FALSE;
  if (std::strcmp(name, "NTFS") == 0) {
    *out = QFFILESYSTEM_NTFS;
  } else if (std::strcmp(name, "FAT32") == 0) {
    *out = QFFILESYSTEM_FAT32;
  } else if (std::strstr(name, "FAT")) {
    *out = QFFILESYSTEM_FAT;
  } else {
    return S_FALSE;
  }
  return S_OK;
}

}  // namespace docket::entry
