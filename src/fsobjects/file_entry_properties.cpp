// What a file reads from, or sets on, its own directory entry: the same as a folder does.
#include "fsobjects/entry_properties.h"
#include "fsobjects/file.h"

namespace docket {

STDMETHODIMP File::get_DateCreated(DATE* pdate) {
  return entry::ReadTime(ClassId(), path_, entry::Time::Created, pdate);
}

STDMETHODIMP File::get_DateLastModified(DATE* pdate) {
  return entry::ReadTime(ClassId(), path_, entry::Time::LastModified, pdate);
}

STDMETHODIMP File::get_DateLastAccessed(DATE* pdate) {
  return entry::ReadTime(ClassId(), path_, entry::Time::LastAccessed, pdate);
}

STDMETHODIMP File::get_Attributes(QFFileAttribute* pfa) {
  return entry::ReadAttributes(ClassId(), path_, pfa);
}

STDMETHODIMP File::put_Attributes(QFFileAttribute pfa) {
  return entry::WriteAttributes(ClassId(), path_, pfa);
}

STDMETHODIMP File::get_ShortPath(BSTR* pbstrPath) {
  return com::Guarded([&] { return entry::ReadShortPath(ClassId(), path_, pbstrPath); });
}

STDMETHODIMP File::get_ShortName(BSTR* pbstrName) {
  return com::Guarded([&] { return entry::ReadShortName(ClassId(), path_, pbstrName); });
}

// The volume is the one of the folder part; without a folder part there is nothing to ask, and
// S_FALSE says "no answer" without counting as a failure.
STDMETHODIMP File::get_FileSystem(QFFileSystemType* pfs) {
  if (!pfs) return E_POINTER;
  if (folderPart_.empty()) return S_FALSE;
  return com::Guarded([&] { return entry::ReadFileSystem(folderPart_, pfs); });
}

}  // namespace docket
