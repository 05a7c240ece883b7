// One directory search whose handle is closed on every path, and the one place where names come
// back from the platform into the module. The search reads the platform's own (UTF-16) names and
// converts each exactly to the system code page. A name the code page cannot hold exactly has no
// usable form there: the ANSI search functions would hand out a look-alike ("t.txt" for "ţ.txt")
// or a "?" (a wildcard to the next call), that is the name of another file or of none. Such an
// entry is marked as having no exact name, and no caller may name it to the platform.
#pragma once

#include "com/handles.h"
#include "com/win.h"

#include <string>
#include <string_view>

namespace docket {

class DirectorySearch {
 public:
  // Starts the search (the pattern in the system code page); false with the platform's last
  // error when nothing can be listed.
  bool Start(const std::string& pattern);
  // Moves to the next entry; false when the listing ends, for whatever reason.
  bool Advance();
  // Closes the search now; false with the platform's last error when closing fails.
  bool Finish() { return find_.close(); }

  const WIN32_FIND_DATAW& entry() const { return entry_; }
  DWORD attributes() const { return entry_.dwFileAttributes; }
  bool isDirectory() const { return (attributes() & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool isDotEntry() const { return wideName() == L"." || wideName() == L".."; }
  ULONGLONG size() const {
    return (static_cast<ULONGLONG>(entry_.nFileSizeHigh) << 32) | entry_.nFileSizeLow;
  }

  // The entry's name as the platform holds it.
  std::wstring_view wideName() const { return entry_.cFileName; }
  // True when the name has an exact form in the system code page; only then is name() its name.
  bool hasExactName() const { return exact_; }
  std::string_view name() const { return name_; }

 private:
  bool Take(bool found);

  com::UniqueFind find_;
  WIN32_FIND_DATAW entry_{};
  std::string name_;
  bool exact_ = false;
};

// The refusal of an entry without an exact name: the system's invalid-name error, with the
// entry's whole path (`folder` is what goes before its name, in the system code page) in front of
// the system's text, so that the caller learns which entry stood in the way.
HRESULT ReportInexactName(REFCLSID clsid, std::string_view folder, const DirectorySearch& search);

}  // namespace docket
