#pragma once
// The state of one page run: the named objects the scripts see, the objects that were told the
// page started, the tally of checks, and how the page ended. Everything else in the host is
// wiring around it.
#include <windows.h>
#include <string>
#include <string_view>
#include <vector>

#include "com_raii.h"

namespace pagehost {

class Page {
public:
    explicit Page(std::vector<std::wstring> arguments);
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;
    ~Page();

    // Builds Request, Response, Server, Host and the scripting context.
    HRESULT CreateObjects();
    // The object a script reaches under a named item, or null for a name the page does not know.
    IUnknown* NamedItem(std::wstring_view name) const;
    static const std::vector<std::wstring>& NamedItemNames();
    // What a component's OnStartPage receives.
    IUnknown* Context() const;

    void RecordCheck(bool passed, std::wstring_view caseName, std::wstring_view detail);
    long Checks() const { return checks_; }
    long Failures() const { return failures_; }
    const std::vector<std::wstring>& Arguments() const { return arguments_; }

    void RecordScriptError() { scriptFailed_ = true; }
    bool ScriptFailed() const { return scriptFailed_; }

    void RememberStarted(ComPtr<IDispatch> object);
    // Calls OnEndPage on every started object, in the order they were created, and lets them go.
    void EndStartedObjects();

    // Ends the page and the process from inside a running script, so that no error handler in the
    // script can catch it and carry on.
    [[noreturn]] void Quit(long code);

    // The "N checks, M failed" line, when any check was made.
    void PrintSummary() const;
    int ExitCode() const;

private:
    std::vector<std::wstring> arguments_;
    long checks_ = 0;
    long failures_ = 0;
    bool scriptFailed_ = false;
    long quitCode_ = 0;
    std::vector<ComPtr<IDispatch>> started_;
    ComPtr<IDispatch> request_;
    ComPtr<IDispatch> response_;
    ComPtr<IDispatch> server_;
    ComPtr<IDispatch> host_;
    ComPtr<IUnknown> context_;
};

}  // namespace pagehost
