#include "request_object.h"

#include <vector>

namespace pagehost {

namespace {

enum : DISPID { kServerVariables = 1 };

constexpr DispatchMember kMembers[] = {{L"ServerVariables", kServerVariables}};

}  // namespace

RequestObject::RequestObject() : DispatchObject(kMembers, L"Request") {}

HRESULT RequestObject::CallMember(DISPID id, DispatchCall& call) {
    if (id != kServerVariables) return DISP_E_MEMBERNOTFOUND;
    if (const HRESULT hr = call.RequireArguments(1, 1); FAILED(hr)) return hr;
    std::wstring name;
    if (const HRESULT hr = call.ReadText(0, name); FAILED(hr)) return hr;
    if (name.empty()) return S_OK;
    // An unknown variable reads as Empty.
    DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) return S_OK;
    std::vector<wchar_t> value(size);
    size = GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (size >= value.size()) return S_OK;
    return call.ReturnText(std::wstring_view(value.data(), size));
}

}  // namespace pagehost
