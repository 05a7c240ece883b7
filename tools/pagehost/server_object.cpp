#include "server_object.h"

#include <vector>

#include "console_text.h"
#include "page.h"

namespace pagehost {

namespace {

enum : DISPID { kCreateObject = 1, kMapPath = 2 };

constexpr DispatchMember kMembers[] = {{L"CreateObject", kCreateObject}, {L"MapPath", kMapPath}};

std::wstring DescribeFailure(const std::wstring& what, HRESULT code) {
    std::wstring text = what;
    const std::wstring system = SystemMessage(code);
    if (!system.empty()) text += L": " + system;
    return text;
}

}  // namespace

ServerObject::ServerObject(Page& page) : DispatchObject(kMembers, L"Server"), page_(page) {}

HRESULT ServerObject::CallMember(DISPID id, DispatchCall& call) {
    switch (id) {
        case kCreateObject: return CreateObject(call);
        case kMapPath: return MapPath(call);
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT ServerObject::CreateObject(DispatchCall& call) {
    if (const HRESULT hr = call.RequireArguments(1, 1); FAILED(hr)) return hr;
    std::wstring progId;
    if (const HRESULT hr = call.ReadText(0, progId); FAILED(hr)) return hr;
    const std::wstring what = L"Server.CreateObject(\"" + progId + L"\")";

    CLSID classId{};
    if (const HRESULT hr = CLSIDFromProgID(progId.c_str(), &classId); FAILED(hr))
        return call.Fail(hr, DescribeFailure(what + L" found no such class", hr));
    ComPtr<IDispatch> object;
    if (const HRESULT hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                            IID_IDispatch, reinterpret_cast<void**>(object.GetAddressOf()));
        FAILED(hr))
        return call.Fail(hr, DescribeFailure(what + L" could not create the object", hr));
    if (const HRESULT hr = StartPageOn(object.Get(), call); FAILED(hr)) return hr;
    call.ReturnObject(object.Get());
    return S_OK;
}

// A component that has OnStartPage wants the scripting context; it hears OnEndPage when the page
// ends. One whose OnStartPage fails is not handed to the script at all.
HRESULT ServerObject::StartPageOn(IDispatch* object, DispatchCall& call) {
    LPOLESTR name = const_cast<LPOLESTR>(L"OnStartPage");
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return S_OK;

    VARIANT context;
    VariantInit(&context);
    V_VT(&context) = VT_UNKNOWN;
    V_UNKNOWN(&context) = page_.Context();  // borrowed for the call, as an [in] argument is
    DISPPARAMS params{&context, nullptr, 1, 0};
    UniqueVariant ignored;
    OwnedExcepInfo error;
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                      ignored.get(), error.get(), nullptr);
    if (FAILED(hr)) {
        error.Complete();
        const HRESULT code = hr == DISP_E_EXCEPTION ? error.Code() : hr;
        std::wstring text = L"OnStartPage failed";
        if ((*error).bstrDescription != nullptr && *(*error).bstrDescription != L'\0')
            text += L": " + std::wstring((*error).bstrDescription);
        return call.Fail(code, DescribeFailure(text, code));
    }
    page_.RememberStarted(object);
    return S_OK;
}

HRESULT ServerObject::MapPath(DispatchCall& call) {
    if (const HRESULT hr = call.RequireArguments(1, 1); FAILED(hr)) return hr;
    std::wstring path;
    if (const HRESULT hr = call.ReadText(0, path); FAILED(hr)) return hr;
    if (path.empty()) return call.Fail(E_INVALIDARG, L"Server.MapPath needs a path");
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        return call.Fail(hr, DescribeFailure(L"Server.MapPath failed", hr));
    }
    std::vector<wchar_t> full(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        return call.Fail(hr, DescribeFailure(L"Server.MapPath failed", hr));
    }
    return call.ReturnText(std::wstring_view(full.data(), length));
}

}  // namespace pagehost
