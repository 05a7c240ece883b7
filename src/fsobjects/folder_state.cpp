// The folder's own fields: its name and path, which a rename changes while other threads may be
// reading them, and the pattern that Files matches against.
#include "com/ansi.h"
#include "com/srw_guard.h"
#include "fsobjects/folder.h"

namespace docket {
namespace {

// Hands a copy of a field to a caller's out-parameter as an automation string.
template <class Read>
HRESULT ReturnField(BSTR* out, Read&& read) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return com::Guarded([&] { return com::ReturnAnsi(read(), out); });
}

}  // namespace

std::wstring Folder::WildCardSnapshot() {
  com::SharedGuard guard(objectLock_);
  return searchWildCard_;
}

STDMETHODIMP Folder::get_Path(BSTR* pbstrPath) {
  return ReturnField(pbstrPath, [&] { return location_.Peek().path; });
}

STDMETHODIMP Folder::get_Name(BSTR* pbstrName) {
  return ReturnField(pbstrName, [&] { return location_.Peek().name; });
}

STDMETHODIMP Folder::get_SearchWildCard(BSTR* pbstrWildCard) {
  if (!pbstrWildCard) return E_POINTER;
  *pbstrWildCard = nullptr;
  return com::Guarded([&] { return com::ReturnWide(WildCardSnapshot(), pbstrWildCard); });
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
