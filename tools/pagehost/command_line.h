#pragma once
// docket-host.exe [--check-unload module.dll ...] [--] file1.vbs [file2.vbs ...] [--args value ...]
#include <string>
#include <vector>

namespace pagehost {

struct HostCommand {
    std::vector<std::wstring> scriptPaths;
    std::vector<std::wstring> pageArguments;  // everything after --args, for Host.Arguments
    std::vector<std::wstring> unloadChecks;   // modules that must be unloadable once the page ended
    std::wstring problem;                     // set when the command line is unusable
};

HostCommand ParseCommandLine(const std::vector<std::wstring>& arguments);

// "VBScript" or "JScript" for a script path, by its extension; empty for anything else.
std::wstring LanguageOf(const std::wstring& path);

extern const wchar_t kUsage[];

}  // namespace pagehost
