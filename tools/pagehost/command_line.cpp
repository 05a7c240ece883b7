#include "command_line.h"

#include <cwchar>

namespace pagehost {

const wchar_t kUsage[] =
    L"usage: docket-host.exe [--check-unload module.dll ...] [--] file1.vbs [file2.vbs ...] [--args value ...]\n"
    L"  Runs the files in order in one script engine (VBScript for .vbs, JScript for .js),\n"
    L"  with the named objects Response, Request, Server and Host.\n"
    L"  --check-unload: once the page has ended and the engine is released, the module (if loaded)\n"
    L"  must answer DllCanUnloadNow with S_OK, or the page fails: nothing of it may be left alive\n"
    L"  (a page that ends with Host.Quit is not checked).\n"
    L"  Exit code: 0 all well (or the Host.Quit code), 1 script error or failed check,\n"
    L"  2 bad command line or unreadable file, 3 the script engine could not be started.\n";

std::wstring LanguageOf(const std::wstring& path) {
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
    const std::wstring extension = path.substr(dot);
    if (_wcsicmp(extension.c_str(), L".vbs") == 0) return L"VBScript";
    if (_wcsicmp(extension.c_str(), L".js") == 0) return L"JScript";
    return {};
}

HostCommand ParseCommandLine(const std::vector<std::wstring>& arguments) {
    HostCommand command;
    size_t i = 0;
    while (i < arguments.size() && arguments[i] == L"--check-unload") {
        if (i + 1 == arguments.size()) {
            command.problem = L"--check-unload needs a module name";
            return command;
        }
        command.unloadChecks.push_back(arguments[i + 1]);
        i += 2;
    }
    if (i < arguments.size() && arguments[i] == L"--") ++i;
    for (; i < arguments.size(); ++i) {
        if (arguments[i] == L"--args") {
            command.pageArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
            break;
        }
        command.scriptPaths.push_back(arguments[i]);
    }
    if (command.scriptPaths.empty()) {
        command.problem = L"no script file given";
        return command;
    }
    // One engine runs every file, so they must all be in its language.
    const std::wstring language = LanguageOf(command.scriptPaths.front());
    if (language.empty()) {
        command.problem = L"cannot tell the language of '" + command.scriptPaths.front() + L"' (use .vbs or .js)";
        return command;
    }
    for (const std::wstring& path : command.scriptPaths) {
        if (LanguageOf(path) != language) {
            command.problem = L"'" + path + L"' is not a " + language + L" file like the first one";
            return command;
        }
    }
    return command;
}

}  // namespace pagehost
