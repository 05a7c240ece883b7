// Taking entries out: Remove by key, RemoveAll. The items go after the lock is dropped.
#include "dictionary/dictionary.h"

#include "com/guard.h"
#include "com/srw_guard.h"
#include "dictionary/dictionary_arguments.h"
#include "module/error_report.h"

#include <optional>
#include <string>

namespace docket {

STDMETHODIMP Dictionary::Remove(VARIANT* Key) {
  if (!Key) return E_POINTER;
  return com::Guarded([&]() -> HRESULT {
    std::wstring key;
    DOCKET_RETURN_IF_FAILED(KeyTextOf(Key, &key));
    std::optional<Entries::Entry> removed;
    {
      com::ExclusiveGuard guard(objectLock_);
      removed = entries_.Erase(key);
    }
    return removed ? S_OK : ReportError(ClassId(), L"Item not found.", 0);
  });
}

STDMETHODIMP Dictionary::RemoveAll() {
  Entries removed;
  com::ExclusiveGuard guard(objectLock_);
  removed = entries_.TakeAll();
  return S_OK;
}

}  // namespace docket
