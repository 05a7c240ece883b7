#include "manager/blob_field.h"

#include "com/bstr.h"
#include "module/error_report.h"

#include <string>

namespace docket::blob {
namespace {

// The texts an exception record owns, freed on every path.
struct OwnedException {
  EXCEPINFO info{};
  OwnedException() = default;
  OwnedException(const OwnedException&) = delete;
  OwnedException& operator=(const OwnedException&) = delete;
  ~OwnedException() {
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
  }
};

// The object in the argument, or null when it holds none (Nothing included).
IDispatch* FieldObjectOf(const VARIANT& argument) {
  const VARIANT* value = &argument;
  if (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value)) value = V_VARIANTREF(value);
  if (V_VT(value) == VT_DISPATCH) return V_DISPATCH(value);
  if (V_VT(value) == (VT_BYREF | VT_DISPATCH) && V_DISPATCHREF(value))
    return *V_DISPATCHREF(value);
  return nullptr;
}

}  // namespace

HRESULT FieldMethod::Find(const VARIANT& argument, const wchar_t* name, REFCLSID reporter) {
  field_ = FieldObjectOf(argument);
  if (!field_) return ReportError(reporter, L"Incorrect parameter", 0);
  locale_ = ::GetUserDefaultLCID();
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (SUCCEEDED(field_->GetIDsOfNames(IID_NULL, names, 1, locale_, &id_))) return S_OK;
  const std::wstring refusal = std::wstring(L"Parameter does not support the ") + name + L" method";
  return ReportError(reporter, refusal.c_str(), 0);
}

HRESULT FieldMethod::Call(VARIANT* value, VARIANT* result, REFCLSID reporter) const {
  VARIANT argument;
  V_VT(&argument) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&argument) = value;
  DISPPARAMS parameters{&argument, nullptr, 1, 0};
  OwnedException exception;
  UINT argumentError = 0;
  const HRESULT hr = field_->Invoke(id_, IID_NULL, locale_, DISPATCH_METHOD, &parameters, result,
                                    &exception.info, &argumentError);
  if (hr != DISP_E_EXCEPTION) return hr;
  // Without this, a script author would see only "exception occurred" for the field's own words.
  if (exception.info.pfnDeferredFillIn) exception.info.pfnDeferredFillIn(&exception.info);
  const HRESULT code = FAILED(exception.info.scode) ? exception.info.scode : DISP_E_EXCEPTION;
  if (com::View(exception.info.bstrDescription).empty()) return code;
  return ReportError(reporter, exception.info.bstrDescription, code);
}

}  // namespace docket::blob
