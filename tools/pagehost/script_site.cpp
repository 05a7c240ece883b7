#include "script_site.h"

#include <new>
#include <string>

#include "com_raii.h"
#include "console_text.h"
#include "page.h"

namespace pagehost {

HRESULT ScriptSite::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == __uuidof(IActiveScriptSite)) {
        *object = static_cast<IActiveScriptSite*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ScriptSite::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ScriptSite::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT ScriptSite::GetLCID(LCID* lcid) {
    if (lcid == nullptr) return E_POINTER;
    return E_NOTIMPL;  // the engine then uses the system default
}

HRESULT ScriptSite::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) {
    if ((mask & SCRIPTINFO_IUNKNOWN) != 0) {
        if (item == nullptr) return E_POINTER;
        *item = nullptr;
    }
    if ((mask & SCRIPTINFO_ITYPEINFO) != 0) {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
    }
    if (name == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    IUnknown* const object = page_.NamedItem(name);
    if (object == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    // The named objects have no type information; engines bind to them late.
    if ((mask & SCRIPTINFO_ITYPEINFO) != 0) return TYPE_E_ELEMENTNOTFOUND;
    if ((mask & SCRIPTINFO_IUNKNOWN) != 0) {
        object->AddRef();
        *item = object;
    }
    return S_OK;
}

HRESULT ScriptSite::GetDocVersionString(BSTR* version) {
    if (version == nullptr) return E_POINTER;
    *version = nullptr;
    return E_NOTIMPL;
}

HRESULT ScriptSite::OnScriptTerminate(const VARIANT*, const EXCEPINFO*) { return S_OK; }
HRESULT ScriptSite::OnStateChange(SCRIPTSTATE) { return S_OK; }
HRESULT ScriptSite::OnEnterScript() { return S_OK; }
HRESULT ScriptSite::OnLeaveScript() { return S_OK; }

HRESULT ScriptSite::OnScriptError(IActiveScriptError* error) {
    if (error == nullptr) return E_POINTER;
    try {
        DWORD cookie = 0;
        ULONG line = 0;
        LONG column = 0;
        const bool located = SUCCEEDED(error->GetSourcePosition(&cookie, &line, &column));
        OwnedExcepInfo info;
        error->GetExceptionInfo(info.get());
        info.Complete();

        const HRESULT code = info.Code();
        std::wstring description = (*info).bstrDescription != nullptr ? (*info).bstrDescription : L"";
        if (description.empty()) description = SystemMessage(code);
        if (description.empty()) description = L"(no description)";
        const std::wstring source = (*info).bstrSource != nullptr ? (*info).bstrSource : L"";

        std::wstring report = cookie < files_.size() ? files_[cookie].path : std::wstring(L"<unknown file>");
        // The engine counts lines and columns from zero; editors count from one.
        if (located) report += L"(" + std::to_wstring(line + 1) + L", " + std::to_wstring(column + 1) + L")";
        report += L": " + description + L" [";
        if (!source.empty()) report += source + L", ";
        report += HexCode(code) + L"]\n";
        WriteText(StdStream::Error, report);
    } catch (const std::bad_alloc&) {
        WriteText(StdStream::Error, L"docket-host: script error (out of memory while reporting it)\n");
    }
    errorReported_ = true;
    page_.RecordScriptError();
    return S_OK;
}

}  // namespace pagehost
