#pragma once
// The site the script engine talks back to: it hands out the page's named objects and reports an
// uncaught script error as "file(line, column): description [source, 0xHRESULT]".
#include <windows.h>
#include <activscp.h>
#include <vector>

#include "script_file.h"

namespace pagehost {

class Page;

class ScriptSite final : public IActiveScriptSite {
public:
    // Source context cookies are indexes into files.
    ScriptSite(Page& page, const std::vector<ScriptFile>& files) : page_(page), files_(files) {}
    ScriptSite(const ScriptSite&) = delete;
    ScriptSite& operator=(const ScriptSite&) = delete;

    bool ErrorReported() const { return errorReported_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetLCID(LCID* lcid) override;
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT* result, const EXCEPINFO* error) override;
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE state) override;
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* error) override;
    HRESULT STDMETHODCALLTYPE OnEnterScript() override;
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override;

private:
    ~ScriptSite() = default;

    LONG references_ = 1;
    Page& page_;
    const std::vector<ScriptFile>& files_;
    bool errorReported_ = false;
};

}  // namespace pagehost
