#include "page.h"

#include <cwchar>

#include "console_text.h"
#include "host_hook_object.h"
#include "request_object.h"
#include "response_object.h"
#include "scripting_context.h"
#include "server_object.h"

namespace pagehost {

Page::Page(std::vector<std::wstring> arguments) : arguments_(std::move(arguments)) {}

Page::~Page() = default;

HRESULT Page::CreateObjects() {
    ComPtr<RequestObject> request = MakeObject<RequestObject>();
    ComPtr<ResponseObject> response = MakeObject<ResponseObject>();
    ComPtr<ServerObject> server = MakeObject<ServerObject>(*this);
    ComPtr<HostHookObject> host = MakeObject<HostHookObject>(*this);
    if (!request || !response || !server || !host) return E_OUTOFMEMORY;
    ComPtr<ScriptingContext> context = MakeObject<ScriptingContext>(request.Get(), response.Get(), server.Get());
    if (!context) return E_OUTOFMEMORY;
    request_ = request;
    response_ = response;
    server_ = server;
    host_ = host;
    context_ = static_cast<IScriptingContext*>(context.Get());
    return S_OK;
}

const std::vector<std::wstring>& Page::NamedItemNames() {
    static const std::vector<std::wstring> names{L"Response", L"Request", L"Server", L"Host"};
    return names;
}

IUnknown* Page::NamedItem(std::wstring_view name) const {
    const std::wstring key(name);
    if (_wcsicmp(key.c_str(), L"Response") == 0) return response_.Get();
    if (_wcsicmp(key.c_str(), L"Request") == 0) return request_.Get();
    if (_wcsicmp(key.c_str(), L"Server") == 0) return server_.Get();
    if (_wcsicmp(key.c_str(), L"Host") == 0) return host_.Get();
    return nullptr;
}

IUnknown* Page::Context() const { return context_.Get(); }

void Page::RecordCheck(bool passed, std::wstring_view caseName, std::wstring_view detail) {
    ++checks_;
    if (passed) return;
    ++failures_;
    std::wstring report = L"FAIL: ";
    report += caseName;
    report += L"\n";
    if (!detail.empty()) {
        report += L"    ";
        report += detail;
        report += L"\n";
    }
    WriteText(StdStream::Error, report);
}

void Page::RememberStarted(ComPtr<IDispatch> object) { started_.push_back(std::move(object)); }

void Page::EndStartedObjects() {
    // Taken out first: an OnEndPage that creates another object must not disturb this walk.
    std::vector<ComPtr<IDispatch>> ending;
    ending.swap(started_);
    for (const ComPtr<IDispatch>& object : ending) {
        LPOLESTR name = const_cast<LPOLESTR>(L"OnEndPage");
        DISPID id = DISPID_UNKNOWN;
        if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) continue;
        DISPPARAMS none{};
        UniqueVariant ignored;
        OwnedExcepInfo error;
        const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                          ignored.get(), error.get(), nullptr);
        if (FAILED(hr)) {
            error.Complete();
            std::wstring report = L"docket-host: OnEndPage failed";
            if ((*error).bstrDescription != nullptr) report += L": " + std::wstring((*error).bstrDescription);
            report += L" [" + HexCode(hr == DISP_E_EXCEPTION ? error.Code() : hr) + L"]\n";
            WriteText(StdStream::Error, report);
            scriptFailed_ = true;
        }
    }
}

void Page::Quit(long code) {
    quitCode_ = code;
    EndStartedObjects();
    PrintSummary();
    ExitProcess(static_cast<UINT>(ExitCode()));
}

void Page::PrintSummary() const {
    if (checks_ == 0) return;
    wchar_t line[80];
    std::swprintf(line, 80, L"%ld checks, %ld failed\n", checks_, failures_);
    WriteText(StdStream::Error, line);
}

int Page::ExitCode() const {
    if (scriptFailed_ || failures_ != 0) return 1;
    return static_cast<int>(quitCode_);
}

}  // namespace pagehost
