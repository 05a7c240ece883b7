// IDispatch for a dual interface, answered entirely by the type library's description of it:
// argument coercion, optional arguments and defaults, named arguments and property access all
// come from ITypeInfo::Invoke, so no class writes an Invoke of its own.
#pragma once

#include "com/member_ids.h"
#include "com/type_info_cache.h"
#include "com/win.h"

namespace docket::com {

template <class DispInterface>
class DispatchImpl : public DispInterface {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    HRESULT hr;
    ITypeInfo* ti = TypeInfoFor(__uuidof(DispInterface), &hr);
    if (!ti) return hr;
    ti->AddRef();
    *info = ti;
    return S_OK;
  }

  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                             DISPID* ids) override {
    if (!::IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    static const MemberIds known(__uuidof(DispInterface));
    if (count == 1 && names && ids && known.Find(names[0], ids)) return S_OK;
    HRESULT hr;
    ITypeInfo* ti = TypeInfoFor(__uuidof(DispInterface), &hr);
    if (!ti) return hr;
    return ::DispGetIDsOfNames(ti, names, count, ids);
  }

  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* excep, UINT* argErr) override {
    if (!::IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr;
    ITypeInfo* ti = TypeInfoFor(__uuidof(DispInterface), &hr);
    if (!ti) return hr;
    // Some clients ask for the enumerator with a method call only; it is a property, and the
    // answer is the same either way.
    if (id == DISPID_NEWENUM && (flags & DISPATCH_METHOD)) flags |= DISPATCH_PROPERTYGET;
    return ti->Invoke(static_cast<DispInterface*>(this), id, flags, params, result, excep, argErr);
  }
};

}  // namespace docket::com
