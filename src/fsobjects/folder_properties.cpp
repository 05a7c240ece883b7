// What a folder reads from, or sets on, its own directory entry, exactly as a file does.
#include "fsobjects/entry_properties.h"
#include "fsobjects/folder.h"

namespace docket {
namespace {

// The name under which the folder's own listing entry is found. A closing backslash would make
// the platform look inside the folder instead, so it goes (except a root's, which has no entry).
std::string EntryName(std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

HRESULT ReadFolderTime(REFCLSID clsid, std::string path, entry::Time which, DATE* out) {
  return entry::ReadTime(clsid, EntryName(std::move(path)), which, out);
}

}  // namespace

STDMETHODIMP Folder::get_ShortPath(BSTR* pbstrPath) {
  return com::Guarded([&] { return entry::ReadShortPath(ClassId(), PathSnapshot(), pbstrPath); });
}

STDMETHODIMP Folder::get_ShortName(BSTR* pbstrName) {
  return com::Guarded([&] { return entry::ReadShortName(ClassId(), PathSnapshot(), pbstrName); });
}

// A drive's root has no listing entry of its own, so it has no dates: the platform's error says so.
STDMETHODIMP Folder::get_DateCreated(DATE* pdate) {
  return com::Guarded(
      [&] { return ReadFolderTime(ClassId(), PathSnapshot(), entry::Time::Created, pdate); });
}

STDMETHODIMP Folder::get_DateLastModified(DATE* pdate) {
  return com::Guarded(
      [&] { return ReadFolderTime(ClassId(), PathSnapshot(), entry::Time::LastModified, pdate); });
}

STDMETHODIMP Folder::get_DateLastAccessed(DATE* pdate) {
  return com::Guarded(
      [&] { return ReadFolderTime(ClassId(), PathSnapshot(), entry::Time::LastAccessed, pdate); });
}

STDMETHODIMP Folder::get_Attributes(QFFileAttribute* pfa) {
  return com::Guarded([&] { return entry::ReadAttributes(ClassId(), PathSnapshot(), pfa); });
}

STDMETHODIMP Folder::put_Attributes(QFFileAttribute pfa) {
  return com::Guarded([&] { return entry::WriteAttributes(ClassId(), PathSnapshot(), pfa); });
}

STDMETHODIMP Folder::get_FileSystem(QFFileSystemType* pfs) {
  return com::Guarded([&] { return entry::ReadFileSystem(PathSnapshot(), pfs); });
}

}  // namespace docket
