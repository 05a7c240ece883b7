// An ordered keyed collection of variants, reachable by key or by position in key order.
#pragma once

#include "com/com_object.h"

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
};

}  // namespace docket
