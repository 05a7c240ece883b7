#include "host_hook_object.h"

#include "page.h"

namespace pagehost {

namespace {

enum : DISPID { kCheck = 1, kChecks, kFailures, kArguments, kArgumentCount, kQuit };

constexpr DispatchMember kMembers[] = {
    {L"Check", kCheck},         {L"Checks", kChecks},
    {L"Failures", kFailures},   {L"Arguments", kArguments},
    {L"ArgumentCount", kArgumentCount}, {L"Quit", kQuit},
};

}  // namespace

HostHookObject::HostHookObject(Page& page) : DispatchObject(kMembers, L"Host"), page_(page) {}

HRESULT HostHookObject::CallMember(DISPID id, DispatchCall& call) {
    switch (id) {
        case kCheck: return Check(call);
        case kArguments: return Argument(call);
        case kQuit: return Quit(call);
        case kChecks:
        case kFailures:
        case kArgumentCount: {
            if (const HRESULT hr = call.RequireArguments(0, 0); FAILED(hr)) return hr;
            const size_t value = id == kChecks     ? static_cast<size_t>(page_.Checks())
                                 : id == kFailures ? static_cast<size_t>(page_.Failures())
                                                   : page_.Arguments().size();
            call.ReturnLong(static_cast<long>(value));
            return S_OK;
        }
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

// Check(ok, caseName [, detail]): a condition that is not a boolean at all (Null, an object without
// a value, text) counts as a failed check rather than an error, so the tally stays honest.
HRESULT HostHookObject::Check(DispatchCall& call) {
    if (const HRESULT hr = call.RequireArguments(1, 3); FAILED(hr)) return hr;
    std::wstring caseName = L"(unnamed check)";
    if (!call.IsMissing(1)) {
        if (const HRESULT hr = call.ReadText(1, caseName); FAILED(hr)) return hr;
    }
    std::wstring detail;
    if (!call.IsMissing(2)) {
        if (const HRESULT hr = call.ReadText(2, detail); FAILED(hr)) return hr;
    }
    bool passed = false;
    if (FAILED(call.ReadBool(0, passed))) {
        passed = false;
        if (detail.empty()) detail = L"the condition is not a boolean";
    }
    page_.RecordCheck(passed, caseName, detail);
    return S_OK;
}

HRESULT HostHookObject::Argument(DispatchCall& call) {
    if (const HRESULT hr = call.RequireArguments(1, 1); FAILED(hr)) return hr;
    long index = 0;
    if (const HRESULT hr = call.ReadLong(0, index); FAILED(hr)) return hr;
    const auto& arguments = page_.Arguments();
    if (index < 0 || static_cast<size_t>(index) >= arguments.size())
        return call.Fail(DISP_E_BADINDEX, L"Host.Arguments: no argument " + std::to_wstring(index) +
                                              L" (there are " + std::to_wstring(arguments.size()) + L")");
    return call.ReturnText(arguments[static_cast<size_t>(index)]);
}

HRESULT HostHookObject::Quit(DispatchCall& call) {
    if (const HRESULT hr = call.RequireArguments(0, 1); FAILED(hr)) return hr;
    long code = 0;
    if (!call.IsMissing(0)) {
        if (const HRESULT hr = call.ReadLong(0, code); FAILED(hr)) return hr;
    }
    page_.Quit(code);
}

}  // namespace pagehost
