// The folder's own fields: its name and path, which a rename changes while other threads may be
// reading them, and the pattern that Files matches against.
#include "com/ansi.h"
#include "com/srw_guard.h"
#include "fsobjects/folder.h"

#include <type_traits>

namespace docket {
namespace {

// Copies a field under the lock and hands it to a caller's out-parameter as an automation string.
template <class Text>
HRESULT ReturnField(SRWLOCK* lock, const Text& field, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return com::Guarded([&] {
    Text copy;
    {
      com::SharedGuard guard(*lock);
      copy = field;
    }
    if constexpr (std::is_same_v<Text, std::wstring>) return com::ReturnWide(copy, out);
    else return com::ReturnAnsi(copy, out);
  });
}

}  // namespace

std::string Folder::PathSnapshot() {
  com::SharedGuard guard(objectLock_);
  return path_;
}

std::wstring Folder::WildCardSnapshot() {
  com::SharedGuard guard(objectLock_);
  return searchWildCard_;
}

void Folder::SetLocation(std::string name, std::string path) {
  com::ExclusiveGuard guard(objectLock_);
  name_.swap(name);
  path_.swap(path);
}

STDMETHODIMP Folder::get_Path(BSTR* pbstrPath) { return ReturnField(&objectLock_, path_, pbstrPath); }

STDMETHODIMP Folder::get_Name(BSTR* pbstrName) { return ReturnField(&objectLock_, name_, pbstrName); }

STDMETHODIMP Folder::get_SearchWildCard(BSTR* pbstrWildCard) {
  return ReturnField(&objectLock_, searchWildCard_, pbstrWildCard);
}

// Taken as it is, and read back so: Files converts it, and refuses one that names no pattern the
// platform can be given exactly. A pattern the listing refuses just gives an empty collection.
STDMETHODIMP Folder::put_SearchWildCard(BSTR pbstrWildCard) {
  return com::Guarded([&] {
    std::wstring pattern(com::View(pbstrWildCard));
    com::ExclusiveGuard guard(objectLock_);
    searchWildCard_.swap(pattern);
    return S_OK;
  });
}

}  // namespace docket
