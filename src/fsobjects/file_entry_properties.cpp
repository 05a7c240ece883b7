// What a file reads from, or sets on, its own directory entry: the same as a folder does.
#include "fsobjects/entry_properties.h"
#include "fsobjects/file.h"

namespace docket {

STDMETHODIMP File::get_DateCreated(DATE* pdate) {
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::ReadTime(ClassId(), here.path, entry::Time::Created, pdate);
  });
}

STDMETHODIMP File::get_DateLastModified(DATE* pdate) {
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::ReadTime(ClassId(), here.path, entry::Time::LastModified, pdate);
  });
}

STDMETHODIMP File::get_DateLastAccessed(DATE* pdate) {
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::ReadTime(ClassId(), here.path, entry::Time::LastAccessed, pdate);
  });
}

STDMETHODIMP File::get_Attributes(QFFileAttribute* pfa) {
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::ReadAttributes(ClassId(), here.path, pfa);
  });
}

STDMETHODIMP File::put_Attributes(QFFileAttribute pfa) {
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::WriteAttributes(ClassId(), here.path, pfa);
  });
}

STDMETHODIMP File::get_ShortPath(BSTR* pbstrPath) {
  if (!pbstrPath) return E_POINTER;
  *pbstrPath = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::ReadShortPath(ClassId(), here.path, pbstrPath);
  });
}

STDMETHODIMP File::get_ShortName(BSTR* pbstrName) {
  if (!pbstrName) return E_POINTER;
  *pbstrName = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    return entry::ReadShortName(ClassId(), here.path, pbstrName);
  });
}

// The volume is the one of the folder part; without a folder part there is nothing to ask, and
// S_FALSE says "no answer" without counting as a failure.
STDMETHODIMP File::get_FileSystem(QFFileSystemType* pfs) {
  if (!pfs) return E_POINTER;
  return location_.Use(ClassId(), [&](const Location& here) {
    if (here.folderPart.empty()) return S_FALSE;
    return entry::ReadFileSystem(here.folderPart, pfs);
  });
}

}  // namespace docket
