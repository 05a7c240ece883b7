// The folder's own fields: its name and path, which a rename changes while other threads may be
// reading them, and the pattern that Files matches against.
#include "com/ansi.h"
#include "fsobjects/folder.h"

namespace docket {
namespace {

class SharedGuard {
 public:
  explicit SharedGuard(SRWLOCK* lock) : lock_(lock) { ::AcquireSRWLockShared(lock_); }
  ~SharedGuard() { ::ReleaseSRWLockShared(lock_); }
  SharedGuard(const SharedGuard&) = delete;
  SharedGuard& operator=(const SharedGuard&) = delete;

 private:
  SRWLOCK* lock_;
};

class ExclusiveGuard {
 public:
  explicit ExclusiveGuard(SRWLOCK* lock) : lock_(lock) { ::AcquireSRWLockExclusive(lock_); }
  ~ExclusiveGuard() { ::ReleaseSRWLockExclusive(lock_); }
  ExclusiveGuard(const ExclusiveGuard&) = delete;
  ExclusiveGuard& operator=(const ExclusiveGuard&) = delete;

 private:
  SRWLOCK* lock_;
};

// Copies a field under the lock and hands it to a caller's out-parameter as an automation string.
HRESULT ReturnField(SRWLOCK* lock, const std::string& field, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return com::Guarded([&] {
    std::string copy;
    {
      SharedGuard guard(lock);
      copy = field;
    }
    return com::ReturnAnsi(copy, out);
  });
}

}  // namespace

std::string Folder::PathSnapshot() {
  SharedGuard guard(&objectLock_);
  return path_;
}

std::string Folder::WildCardSnapshot() {
  SharedGuard guard(&objectLock_);
  return searchWildCard_;
}

void Folder::SetLocation(std::string name, std::string path) {
  ExclusiveGuard guard(&objectLock_);
  name_.swap(name);
  path_.swap(path);
}

STDMETHODIMP Folder::get_Path(BSTR* pbstrPath) { return ReturnField(&objectLock_, path_, pbstrPath); }

STDMETHODIMP Folder::get_Name(BSTR* pbstrName) { return ReturnField(&objectLock_, name_, pbstrName); }

STDMETHODIMP Folder::get_SearchWildCard(BSTR* pbstrWildCard) {
  return ReturnField(&objectLock_, searchWildCard_, pbstrWildCard);
}

// Taken as it is: a pattern the listing refuses just gives an empty Files collection.
STDMETHODIMP Folder::put_SearchWildCard(BSTR pbstrWildCard) {
  return com::Guarded([&] {
    std::string pattern = com::ToAnsi(pbstrWildCard);
    ExclusiveGuard guard(&objectLock_);
    searchWildCard_.swap(pattern);
    return S_OK;
  });
}

}  // namespace docket
