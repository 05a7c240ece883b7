// Members about keys: Exists, HashVal, renaming an entry (Key put), and the comparison in use
// (CompareMode), which can change only while the dictionary is empty.
#include "dictionary/dictionary.h"

#include "com/guard.h"
#include "com/srw_guard.h"
#include "dictionary/dictionary_arguments.h"
#include "module/error_report.h"

#include <string>
#include <utility>

namespace docket {

STDMETHODIMP Dictionary::Exists(VARIANT* Key, VARIANT_BOOL* pExists) {
  if (!Key || !pExists) return E_POINTER;
  return com::Guarded([&]() -> HRESULT {
    std::wstring key;
    DOCKET_RETURN_IF_FAILED(KeyTextOf(Key, &key));
    com::SharedGuard guard(objectLock_);
    *pExists = entries_.Find(key) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

STDMETHODIMP Dictionary::get_HashVal(VARIANT* Key, VARIANT* HashVal) {
  if (!HashVal) return E_POINTER;
  ::VariantInit(HashVal);
  if (!Key) return E_POINTER;
  return com::Guarded([&]() -> HRESULT {
    std::wstring key;
    DOCKET_RETURN_IF_FAILED(KeyTextOf(Key, &key));
    com::SharedGuard guard(objectLock_);
    V_VT(HashVal) = VT_I4;
    V_I4(HashVal) = static_cast<LONG>(entries_.order().Hash(key));
    return S_OK;
  });
}

STDMETHODIMP Dictionary::put_Key(VARIANT* Key, VARIANT* rhs) {
  if (!Key || !rhs) return E_POINTER;
  return com::Guarded([&]() -> HRESULT {
    std::wstring from, to;
    DOCKET_RETURN_IF_FAILED(KeyTextOf(Key, &from));
    DOCKET_RETURN_IF_FAILED(KeyTextOf(rhs, &to));
    Entries::Renamed renamed;
    {
      com::ExclusiveGuard guard(objectLock_);
      renamed = entries_.Rename(from, std::move(to));
    }
    switch (renamed) {
      case Entries::Renamed::kDone:
        return S_OK;
      case Entries::Renamed::kMissing:
        return ReportError(ClassId(), L"Item not found.", 0);
      case Entries::Renamed::kTaken:
        break;
    }
    return ReportError(ClassId(), L"Another item already has the new key.", 0);
  });
}

STDMETHODIMP Dictionary::get_CompareMode(CompareMethod* pcomp) {
  if (!pcomp) return E_POINTER;
  com::SharedGuard guard(objectLock_);
  *pcomp = entries_.order().exactly ? BinaryCompare : TextCompare;
  return S_OK;
}

STDMETHODIMP Dictionary::put_CompareMode(CompareMethod pcomp) {
  // TextCompare is the default folding of A to Z; nothing else (a database's or a locale's
  // comparison) is offered, rather than pretending to one.
  if (pcomp != BinaryCompare && pcomp != TextCompare)
    return ReportError(ClassId(), L"CompareMode must be BinaryCompare (0) or TextCompare (1).", 0);
  bool changed;
  {
    com::ExclusiveGuard guard(objectLock_);
    changed = entries_.Reorder(KeyOrder{pcomp == BinaryCompare});
  }
  if (changed) return S_OK;
  return ReportError(ClassId(), L"CompareMode can be set only while the dictionary is empty.", 0);
}

}  // namespace docket
