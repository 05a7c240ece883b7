#include "page_runner.h"

#include <windows.h>
#include <activscp.h>

#include "com_raii.h"
#include "command_line.h"
#include "console_text.h"
#include "page.h"
#include "script_file.h"
#include "script_site.h"
#include "unload_check.h"

namespace pagehost {

namespace {

constexpr int kExitBadInput = 2;
constexpr int kExitNoEngine = 3;

int ReportHostFailure(const std::wstring& what, HRESULT code, int exitCode) {
    std::wstring text = L"docket-host: " + what;
    const std::wstring system = SystemMessage(code);
    if (!system.empty()) text += L": " + system;
    WriteText(StdStream::Error, text + L" [" + HexCode(code) + L"]\n");
    return exitCode;
}

// Read every file before running any, so that a mistyped name does not leave a half-run page.
bool LoadAll(const std::vector<std::wstring>& paths, std::vector<ScriptFile>& files) {
    for (const std::wstring& path : paths) {
        ScriptFile file{path, {}};
        if (const HRESULT hr = LoadScriptFile(file); FAILED(hr)) {
            ReportHostFailure(L"cannot read '" + path + L"'", hr, kExitBadInput);
            return false;
        }
        files.push_back(std::move(file));
    }
    return true;
}

struct Engine {
    ComPtr<IActiveScript> script;
    ComPtr<IActiveScriptParse> parser;
};

HRESULT StartEngine(const std::wstring& language, IActiveScriptSite* site, Engine& engine) {
    CLSID engineClass{};
    if (const HRESULT hr = CLSIDFromProgID(language.c_str(), &engineClass); FAILED(hr)) return hr;
    if (const HRESULT hr = CoCreateInstance(engineClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&engine.script));
        FAILED(hr))
        return hr;
    if (const HRESULT hr = engine.script.As(&engine.parser); FAILED(hr)) return hr;
    if (const HRESULT hr = engine.script->SetScriptSite(site); FAILED(hr)) return hr;
    if (const HRESULT hr = engine.parser->InitNew(); FAILED(hr)) return hr;
    for (const std::wstring& name : Page::NamedItemNames()) {
        if (const HRESULT hr = engine.script->AddNamedItem(name.c_str(), SCRIPTITEM_ISVISIBLE); FAILED(hr))
            return hr;
    }
    // Started: each parsed file runs at once, in order.
    return engine.script->SetScriptState(SCRIPTSTATE_STARTED);
}

void RunFiles(const std::vector<ScriptFile>& files, Engine& engine, ScriptSite& site, Page& page) {
    for (DWORD index = 0; index < files.size(); ++index) {
        OwnedExcepInfo error;
        const HRESULT hr = engine.parser->ParseScriptText(files[index].text.c_str(), nullptr, nullptr, nullptr,
                                                          index, 0, SCRIPTTEXT_ISVISIBLE, nullptr, error.get());
        if (site.ErrorReported()) return;
        if (FAILED(hr)) {
            // An engine that fails without reporting through the site still fails the page.
            ReportHostFailure(L"the script engine failed on '" + files[index].path + L"'", hr, 1);
            page.RecordScriptError();
            return;
        }
    }
}

}  // namespace

int RunPage(const HostCommand& command) {
    std::vector<ScriptFile> files;
    if (!LoadAll(command.scriptPaths, files)) return kExitBadInput;

    const ComApartment apartment;
    if (FAILED(apartment.result())) return ReportHostFailure(L"COM did not start", apartment.result(), kExitNoEngine);

    Page page(command.pageArguments);
    if (const HRESULT hr = page.CreateObjects(); FAILED(hr))
        return ReportHostFailure(L"cannot create the page objects", hr, kExitNoEngine);
    ComPtr<ScriptSite> site;
    site.Attach(new ScriptSite(page, files));

    Engine engine;
    const std::wstring language = LanguageOf(files.front().path);
    if (const HRESULT hr = StartEngine(language, site.Get(), engine); FAILED(hr)) {
        if (engine.script) engine.script->Close();
        return ReportHostFailure(L"cannot start the " + language + L" engine", hr, kExitNoEngine);
    }

    RunFiles(files, engine, *site.Get(), page);
    // Components hear that the page ended while the engine, and so the script's references, live.
    page.EndStartedObjects();
    engine.script->Close();
    engine = {};
    site.Reset();
    for (const std::wstring& module : command.unloadChecks) {
        if (const std::wstring problem = LiveObjectsOf(module); !problem.empty()) {
            WriteText(StdStream::Error, L"docket-host: " + problem + L"\n");
            page.RecordScriptError();
        }
    }
    page.PrintSummary();
    return page.ExitCode();
}

}  // namespace pagehost
