#include "dispatch_call.h"

#include "com_raii.h"

namespace pagehost {

namespace {

const VARIANT& FollowReferences(const VARIANT& value) {
    const VARIANT* current = &value;
    while (V_VT(current) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(current) != nullptr)
        current = V_VARIANTREF(current);
    return *current;
}

HRESULT Coerce(const VARIANT& value, VARTYPE type, UniqueVariant& converted) {
    return VariantChangeTypeEx(converted.get(), const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT,
                               VARIANT_ALPHABOOL, type);
}

}  // namespace

HRESULT VariantToText(const VARIANT& value, std::wstring& text) {
    UniqueVariant converted;
    const HRESULT hr = Coerce(FollowReferences(value), VT_BSTR, converted);
    if (FAILED(hr)) return hr;
    text.assign(V_BSTR(converted.get()), SysStringLen(V_BSTR(converted.get())));
    return S_OK;
}

HRESULT DispatchCall::RequireArguments(UINT minimum, UINT maximum) const {
    return params_.cArgs < minimum || params_.cArgs > maximum ? DISP_E_BADPARAMCOUNT : S_OK;
}

bool DispatchCall::IsMissing(UINT index) const {
    if (index >= params_.cArgs) return true;
    const VARIANT& value = Argument(index);
    return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

const VARIANT& DispatchCall::Argument(UINT index) const {
    return FollowReferences(params_.rgvarg[params_.cArgs - 1 - index]);
}

HRESULT DispatchCall::ReadText(UINT index, std::wstring& text) const {
    return FAILED(VariantToText(Argument(index), text)) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT DispatchCall::ReadBool(UINT index, bool& value) const {
    UniqueVariant converted;
    if (FAILED(Coerce(Argument(index), VT_BOOL, converted))) return DISP_E_TYPEMISMATCH;
    value = V_BOOL(converted.get()) != VARIANT_FALSE;
    return S_OK;
}

HRESULT DispatchCall::ReadLong(UINT index, long& value) const {
    UniqueVariant converted;
    if (FAILED(Coerce(Argument(index), VT_I4, converted))) return DISP_E_TYPEMISMATCH;
    value = V_I4(converted.get());
    return S_OK;
}

void DispatchCall::ReturnLong(long value) {
    if (result_ == nullptr) return;
    V_VT(result_) = VT_I4;
    V_I4(result_) = value;
}

HRESULT DispatchCall::ReturnText(std::wstring_view text) {
    if (result_ == nullptr) return S_OK;
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (copy == nullptr) return E_OUTOFMEMORY;
    V_VT(result_) = VT_BSTR;
    V_BSTR(result_) = copy;
    return S_OK;
}

void DispatchCall::ReturnObject(IDispatch* object) {
    if (result_ == nullptr) return;
    object->AddRef();
    V_VT(result_) = VT_DISPATCH;
    V_DISPATCH(result_) = object;
}

HRESULT DispatchCall::Fail(HRESULT code, std::wstring_view description) {
    if (error_ == nullptr) return code;
    ZeroMemory(error_, sizeof *error_);
    error_->scode = code;
    error_->bstrSource = SysAllocString(source_);
    error_->bstrDescription = SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
    return DISP_E_EXCEPTION;
}

}  // namespace pagehost
