// The only way a description reaches the calling thread's error object. Each class reports under
// its own class identifier, which gives the error's source (its versioned program identifier when
// the class is registered).
#pragma once

#include "com/win.h"

#include <string>
#include <string_view>

namespace docket {

// Leaves `description` on the thread and returns `code`, or DISP_E_EXCEPTION when code is 0.
// A null description becomes "Unknown Error" (and a code of 0 then becomes 0x80040000).
HRESULT ReportError(REFCLSID clsid, const wchar_t* description, HRESULT code);
HRESULT ReportError(REFCLSID clsid, const char* description, HRESULT code);  // system code page

// The thread's last system error as a description (the system's text, one line end removed,
// after an optional prefix) and as a result code 0x8007xxxx. Call it right after the failing call.
HRESULT ReportLastError(REFCLSID clsid, const char* prefix = nullptr);

// The same for an error number noted by the caller right after the failing call.
HRESULT ReportSystemError(REFCLSID clsid, DWORD error, const char* prefix = nullptr);
// With a prefix that may hold what the system code page cannot (a name as the platform lists it).
HRESULT ReportSystemError(REFCLSID clsid, DWORD error, std::wstring_view prefix);

// The refusal of a path longer than the module handles (259 characters): the system's own
// "file name too long" error, never a truncated path.
inline HRESULT ReportPathTooLong(REFCLSID clsid) {
  return ReportSystemError(clsid, ERROR_FILENAME_EXCED_RANGE);
}

// The refusal of a member of an object that stands for nothing (one a client created by name
// instead of obtaining it from a FileManager): it has no file or folder to work on.
inline constexpr wchar_t kUnboundText[] =
    L"This object stands for no file or folder: obtain it from a FileManager.";
inline HRESULT ReportUnbound(REFCLSID clsid) { return ReportError(clsid, kUnboundText, OLE_E_BLANK); }

// The system's message text for an error, exactly as the system gives it (line end included,
// inserts ignored); empty when there is none.
std::string SystemMessageText(DWORD error);

// The result code of a system error number: 0 for 0, else 0x80070000 with its low 16 bits.
inline HRESULT SystemErrorCode(DWORD error) {
  return error == 0 ? S_OK : static_cast<HRESULT>(0x80070000u | (error & 0xFFFFu));
}

}  // namespace docket
