#include "dictionary/dictionary_arguments.h"

#include "com/bstr.h"
#include "com/variant.h"
#include "module/error_report.h"

namespace docket {

HRESULT CopyArgument(const VARIANT* argument, VARIANT* copy) {
  if (V_VT(argument) & VT_BYREF) return ::VariantCopyInd(copy, const_cast<VARIANT*>(argument));
  return ::VariantCopy(copy, const_cast<VARIANT*>(argument));
}

HRESULT KeyTextOf(const VARIANT* argument, std::wstring* key) {
  com::Variant copy;
  const HRESULT hr = CopyArgument(argument, copy.get());
  if (FAILED(hr)) return hr;
  if (copy.type() != VT_BSTR)
    return ReportError(CLSID_Dictionary, L"Key must be a string.", 0);
  key->assign(com::View(V_BSTR(copy.get())));
  return S_OK;
}

}  // namespace docket
