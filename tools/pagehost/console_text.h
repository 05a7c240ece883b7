#pragma once
// Text output of the host. A console gets UTF-16 through WriteConsoleW, so that it shows every
// character whatever its code page; a file or pipe gets UTF-8, which is what the tests read back.
#include <windows.h>
#include <string>
#include <string_view>

namespace pagehost {

enum class StdStream { Output, Error };

// Writes at once, unbuffered: page output and error reports keep their order even when both
// streams go to one file, and nothing is lost when a page quits the process.
void WriteText(StdStream stream, std::wstring_view text);

// The system's message for a result code, without the trailing line break; empty when it has none.
std::wstring SystemMessage(HRESULT code);

// "0x800A000D": eight upper-case hex digits.
std::wstring HexCode(HRESULT code);

}  // namespace pagehost
