#pragma once
// Loading a script file as text. A byte-order mark decides the encoding; without one the file is
// taken as UTF-8 when it is valid UTF-8 and otherwise in the system code page, which is how
// hand-written pages in either form come out right.
#include <windows.h>
#include <string>

namespace pagehost {

struct ScriptFile {
    std::wstring path;  // as given on the command line; error reports name it so
    std::wstring text;
};

// S_OK, or the failing system call's code as an HRESULT.
HRESULT LoadScriptFile(ScriptFile& file);

}  // namespace pagehost
