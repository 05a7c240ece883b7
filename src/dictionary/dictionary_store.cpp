// Storing entries: Add (which takes over an object handed to it by reference) and Item (put and
// putref), which replaces.
#include "dictionary/dictionary.h"

#include "com/guard.h"
#include "dictionary/dictionary_arguments.h"
#include "com/srw_guard.h"

#include <utility>

namespace docket {
namespace {

// A successful Add takes over an object passed by reference (VT_BYREF | VT_DISPATCH or
// VT_BYREF | VT_UNKNOWN): the dictionary keeps the reference that the caller's pointer holds, and
// the pointer is cleared so that a caller keeping it in a smart pointer cannot release it twice.
// This is how a folder fills its collections. Every other argument is left as the caller passed
// it: the dispatch layer hands a script variable to a VARIANT* parameter as the variable itself,
// and clearing it would empty the page's variable (a loop counter given as the item would start
// its loop over, for ever). A failed Add leaves even a handed-over object with the caller.
void TakeOverHandedObject(VARIANT* item) {
  const VARTYPE type = V_VT(item);
  if (type != (VT_BYREF | VT_DISPATCH) && type != (VT_BYREF | VT_UNKNOWN)) return;
  IUnknown** held = reinterpret_cast<IUnknown**>(V_BYREF(item));
  if (held && *held) std::exchange(*held, nullptr)->Release();
}

}  // namespace

STDMETHODIMP Dictionary::Add(VARIANT* Key, VARIANT* Item) {
  if (!Key || !Item) return E_POINTER;
  const HRESULT hr = com::Guarded([&] { return Store(Key, Item, OnEqualKey::KeepOld); });
  if (SUCCEEDED(hr)) TakeOverHandedObject(Item);
  return hr;
}

STDMETHODIMP Dictionary::put_Item(VARIANT* Key, VARIANT* pRetItem) {
  if (!Key || !pRetItem) return E_POINTER;
  return com::Guarded([&] { return Store(Key, pRetItem, OnEqualKey::Replace); });
}

// Set d(key) = object: an object is stored as any other value.
STDMETHODIMP Dictionary::putref_Item(VARIANT* Key, VARIANT* pRetItem) {
  return put_Item(Key, pRetItem);
}

HRESULT Dictionary::Store(VARIANT* keyArgument, VARIANT* itemArgument, OnEqualKey onEqualKey) {
  std::wstring key;
  DOCKET_RETURN_IF_FAILED(KeyTextOf(keyArgument, &key));
  // Declared before the lock is taken, so that whichever item does not stay (the new one for a
  // duplicate Add, the old one for a replacing put) is released after the lock is dropped.
  StoredVariant item;
  DOCKET_RETURN_IF_FAILED(CopyArgument(itemArgument, item.get()));
  com::ExclusiveGuard guard(objectLock_);
  auto [entry, inserted] = entries_.TryInsert(std::move(key), std::move(item));
  if (!inserted && onEqualKey == OnEqualKey::Replace) {
    entry->key = std::move(key);  // equal under the key order, so the entry keeps its place
    swap(entry->value, item);
  }
  return S_OK;
}

}  // namespace docket
