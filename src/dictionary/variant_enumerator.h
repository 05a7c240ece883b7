// An enumerator of variants over its own list of copies, for For Each in VBScript and
// Enumerator in JScript. Clones share the (never changing) list and keep their own position.
// It is not in the type library: a plain COM object that counts toward the module lock.
#pragma once

#include "com/win.h"
#include "dictionary/stored_variant.h"

#include <memory>
#include <vector>

namespace docket {

class VariantEnumerator final : public IEnumVARIANT {
 public:
  using Items = std::vector<StoredVariant>;

  // A new enumerator at the first of `items`; E_OUTOFMEMORY when it cannot be made.
  static HRESULT Create(std::shared_ptr<const Items> items, IEnumVARIANT** out);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IEnumVARIANT
  STDMETHODIMP Next(ULONG count, VARIANT* items, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumVARIANT** out) override;

  VariantEnumerator(const VariantEnumerator&) = delete;
  VariantEnumerator& operator=(const VariantEnumerator&) = delete;

 private:
  VariantEnumerator(std::shared_ptr<const Items> items, size_t position);
  ~VariantEnumerator();

  static HRESULT Make(std::shared_ptr<const Items> items, size_t position, IEnumVARIANT** out);

  volatile LONG refs_ = 1;
  const std::shared_ptr<const Items> items_;
  // Guarded by lock_: an enumerator may be handed between threads (threading model "Both").
  size_t position_;
  SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace docket
