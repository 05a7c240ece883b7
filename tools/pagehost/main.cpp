// docket-host.exe: the stand-in for a web server's script host used by the script tests.
#include <windows.h>
#include <new>
#include <string>
#include <vector>

#include "command_line.h"
#include "console_text.h"
#include "page_runner.h"

int wmain(int argc, wchar_t** argv) {
    try {
        std::vector<std::wstring> arguments(argv + 1, argv + argc);
        const pagehost::HostCommand command = pagehost::ParseCommandLine(arguments);
        if (!command.problem.empty()) {
            pagehost::WriteText(pagehost::StdStream::Error, L"docket-host: " + command.problem + L"\n");
            pagehost::WriteText(pagehost::StdStream::Error, pagehost::kUsage);
            return 2;
        }
        return pagehost::RunPage(command);
    } catch (const std::bad_alloc&) {
        pagehost::WriteText(pagehost::StdStream::Error, L"docket-host: out of memory\n");
        return 3;
    }
}
