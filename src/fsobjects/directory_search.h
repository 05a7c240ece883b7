// One directory search (FindFirstFileA / FindNextFileA) whose handle is closed on every path.
#pragma once

#include "com/handles.h"
#include "com/win.h"

#include <string>
#include <string_view>

namespace docket {

class DirectorySearch {
 public:
  // Starts the search; false with the platform's last error when nothing can be listed.
  bool Start(const std::string& pattern);
  // Moves to the next entry; false when the listing ends, for whatever reason.
  bool Advance();
  // Closes the search now; false with the platform's last error when closing fails.
  bool Finish() { return find_.close(); }

  const WIN32_FIND_DATAA& entry() const { return entry_; }
  std::string_view name() const { return entry_.cFileName; }
  bool isDirectory() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  bool isDotEntry() const { return name() == "." || name() == ".."; }
  ULONGLONG size() const {
    return (static_cast<ULONGLONG>(entry_.nFileSizeHigh) << 32) | entry_.nFileSizeLow;
  }

 private:
  com::UniqueFind find_;
  WIN32_FIND_DATAA entry_{};
};

}  // namespace docket
