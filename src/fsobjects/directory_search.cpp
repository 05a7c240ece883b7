#include "fsobjects/directory_search.h"

namespace docket {

bool DirectorySearch::Start(const std::string& pattern) {
  find_.reset(::FindFirstFileA(pattern.c_str(), &entry_));
  return static_cast<bool>(find_);
}

bool DirectorySearch::Advance() { return ::FindNextFileA(find_.get(), &entry_) != FALSE; }

}  // namespace docket
