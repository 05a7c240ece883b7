// Reading entries: Item (get) by key or by 1-based position in key order, and Count.
#include "dictionary/dictionary.h"

#include "com/bstr.h"
#include "com/guard.h"
#include "com/variant.h"
#include "dictionary/dictionary_arguments.h"
#include "dictionary/srw_guard.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP Dictionary::get_Item(VARIANT* Key, VARIANT* pRetItem) {
  if (!pRetItem) return E_POINTER;
  ::VariantInit(pRetItem);
  if (!Key) return E_POINTER;
  return com::Guarded([&]() -> HRESULT {
    com::Variant key;
    if (FAILED(CopyArgument(Key, key.get())))
      return ReportError(ClassId(), L"Could not resolve argument into simple type.", 0);
    switch (key.type()) {
      case VT_BSTR:
        return CopyItemForKey(com::View(V_BSTR(key.get())), pRetItem);
      case VT_I4:
        return CopyItemAt(V_I4(key.get()), pRetItem);
      case VT_I2:
      case VT_I1:
      case VT_UI1:
      case VT_UI2:
      case VT_UI4:
        if (FAILED(::VariantChangeType(key.get(), key.get(), 0, VT_I4)))
          return ReportError(ClassId(), L"VariantChangeType failed.", 0);
        return CopyItemAt(V_I4(key.get()), pRetItem);
      default:
        // Floating point included: a computed position is refused rather than rounded, so that
        // 1.5 never reads a neighbouring entry.
        return ReportError(ClassId(), L"Type not supported.", 0);
    }
  });
}

HRESULT Dictionary::CopyItemForKey(std::wstring_view key, VARIANT* out) {
  {
    SharedGuard guard(objectLock_);
    const Entries::Entry* entry = entries_.Find(key);
    if (entry) return entry->value.CopyTo(out);
  }
  return ReportError(ClassId(), L"Item not found.", 0);
}

HRESULT Dictionary::CopyItemAt(LONG position, VARIANT* out) {
  {
    SharedGuard guard(objectLock_);
    if (position >= 1 && static_cast<size_t>(position) <= entries_.size())
      return entries_.At(static_cast<size_t>(position) - 1).value.CopyTo(out);
  }
  return ReportError(ClassId(), L"Index out of range.", 0);
}

STDMETHODIMP Dictionary::get_Count(LONG* pCount) {
  if (!pCount) return E_POINTER;
  SharedGuard guard(objectLock_);
  *pCount = static_cast<LONG>(entries_.size());
  return S_OK;
}

}  // namespace docket
