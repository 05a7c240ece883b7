// What a folder reads from, or sets on, its own directory entry, exactly as a file does.
#include "fsobjects/entry_properties.h"
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"

namespace docket {
namespace {

// The name under which the folder's own listing entry is found. A closing backslash would make
// the platform look inside the folder instead, so it goes (except a root's, which has no entry).
std::string EntryName(std::string path) {
  if (path.size() > 3 && EndsWithSeparator(path)) path.pop_back();
  return path;
}

HRESULT ReadFolderTime(REFCLSID clsid, const std::string& path, entry::Time which, DATE* out) {
  return entry::ReadTime(clsid, EntryName(path), which, out);
}

}  // namespace

STDMETHODIMP Folder::get_ShortPath(BSTR* pbstrPath) {
  if (!pbstrPath) return E_POINTER;
  *pbstrPath = nullptr;
  return WithPath(
      [&](const std::string& path) { return entry::ReadShortPath(ClassId(), path, pbstrPath); });
}

STDMETHODIMP Folder::get_ShortName(BSTR* pbstrName) {
  if (!pbstrName) return E_POINTER;
  *pbstrName = nullptr;
  return WithPath(
      [&](const std::string& path) { return entry::ReadShortName(ClassId(), path, pbstrName); });
}

// A drive's root has no listing entry of its own, so it has no dates: the platform's error says so.
STDMETHODIMP Folder::get_DateCreated(DATE* pdate) {
  return WithPath([&](const std::string& path) {
    return ReadFolderTime(ClassId(), path, entry::Time::Created, pdate);
  });
}

STDMETHODIMP Folder::get_DateLastModified(DATE* pdate) {
  return WithPath([&](const std::string& path) {
    return ReadFolderTime(ClassId(), path, entry::Time::LastModified, pdate);
  });
}

STDMETHODIMP Folder::get_DateLastAccessed(DATE* pdate) {
  return WithPath([&](const std::string& path) {
    return ReadFolderTime(ClassId(), path, entry::Time::LastAccessed, pdate);
  });
}

STDMETHODIMP Folder::get_Attributes(QFFileAttribute* pfa) {
  return WithPath(
      [&](const std::string& path) { return entry::ReadAttributes(ClassId(), path, pfa); });
}

STDMETHODIMP Folder::put_Attributes(QFFileAttribute pfa) {
  return WithPath(
      [&](const std::string& path) { return entry::WriteAttributes(ClassId(), path, pfa); });
}

STDMETHODIMP Folder::get_FileSystem(QFFileSystemType* pfs) {
  return WithPath([&](const std::string& path) { return entry::ReadFileSystem(path, pfs); });
}

}  // namespace docket
