// An ordered keyed collection of variants, reachable by key or by position in key order.
#pragma once

#include "com/com_object.h"
#include "dictionary/key_order.h"
#include "dictionary/ranked_tree.h"
#include "dictionary/stored_variant.h"

#include <string>

namespace docket {

class Dictionary final : public com::ComObject<Dictionary, IDictionary> {
 public:
  static const CLSID& ClassId() { return CLSID_Dictionary; }

  // IDictionary
  STDMETHODIMP putref_Item(VARIANT* Key, VARIANT* pRetItem) override;
  STDMETHODIMP put_Item(VARIANT* Key, VARIANT* pRetItem) override;
  STDMETHODIMP get_Item(VARIANT* Key, VARIANT* pRetItem) override;
  STDMETHODIMP get_Count(LONG* pCount) override;
  STDMETHODIMP get__NewEnum(IUnknown** ppunk) override;
  STDMETHODIMP Add(VARIANT* Key, VARIANT* Item) override;
  STDMETHODIMP Exists(VARIANT* Key, VARIANT_BOOL* pExists) override;
  STDMETHODIMP Items(VARIANT* pItemsArray) override;
  STDMETHODIMP put_Key(VARIANT* Key, VARIANT* rhs) override;
  STDMETHODIMP Keys(VARIANT* pKeysArray) override;
  STDMETHODIMP Remove(VARIANT* Key) override;
  STDMETHODIMP RemoveAll() override;
  STDMETHODIMP put_CompareMode(CompareMethod pcomp) override;
  STDMETHODIMP get_CompareMode(CompareMethod* pcomp) override;
  STDMETHODIMP get_HashVal(VARIANT* Key, VARIANT* HashVal) override;

 private:
  enum class OnEqualKey { KeepOld, Replace };
  using Entries = RankedTree<std::wstring, StoredVariant, KeyOrder>;

  HRESULT Store(VARIANT* key, VARIANT* item, OnEqualKey onEqualKey);
  HRESULT CopyItemForKey(std::wstring_view key, VARIANT* out);
  HRESULT CopyItemAt(LONG position, VARIANT* out);
  // A 0-based array of variants, one per entry in key order, each set by fill(entry, element).
  template <class Fill>
  HRESULT SnapshotArray(VARIANT* out, Fill fill);

  // Guarded by objectLock_: shared for readers, exclusive for writers. Items that leave the
  // dictionary are released only after the lock is dropped, since a release may run any code.
  // The store's order carries the comparison that CompareMode chose.
  Entries entries_;
};

}  // namespace docket
