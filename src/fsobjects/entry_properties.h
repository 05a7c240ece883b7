// Properties that a file and a folder read from the file system in the same way, by path, each
// time they are asked: dates, attributes, short names and the volume's file system. Failures are
// reported under the asking object's class.
#pragma once

#include "com/win.h"

#include <string>

namespace docket::entry {

enum class Time { Created, LastModified, LastAccessed };

// The entry's own listing time in local time, without milliseconds.
HRESULT ReadTime(REFCLSID clsid, const std::string& path, Time which, DATE* out);

// The platform's attributes, limited to the bits the object model reports.
HRESULT ReadAttributes(REFCLSID clsid, const std::string& path, QFFileAttribute* out);

// Sets read-only, hidden, system and archive from value (other settable bits are dropped);
// directory, alias and compressed cannot be set and give E_INVALIDARG.
HRESULT WriteAttributes(REFCLSID clsid, const std::string& path, QFFileAttribute value);

// The short form of the whole path, and its last component. `out` is checked and cleared by the
// caller, before it knows whether it has a path to ask about.
HRESULT ReadShortPath(REFCLSID clsid, const std::string& path, BSTR* out);
HRESULT ReadShortName(REFCLSID clsid, const std::string& path, BSTR* out);

// The file system of the volume that holds the path (its drive, the share of a UNC path, or the
// current drive for a relative path).
// S_FALSE, with *out untouched, when there is no volume to ask or its file system is not one the
// type library names.
HRESULT ReadFileSystem(const std::string& path, QFFileSystemType* out);

}  // namespace docket::entry
