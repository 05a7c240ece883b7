#include "module/error_report.h"

#include "com/ansi.h"
#include "com/com_ptr.h"
#include "com/guard.h"

namespace docket {
namespace {

using com::ComPtr;

// The system's text for an error, as FormatMessageA gives it with FORMAT_MESSAGE_FROM_SYSTEM, or
// false when there is none (the lookup then leaves its own last error).
bool LookUpMessage(DWORD error, DWORD extraFlags, std::string* text) {
  char* buffer = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | extraFlags, nullptr, error,
      0x400, reinterpret_cast<char*>(&buffer), 0, nullptr);
  if (!buffer) return false;
  text->assign(buffer, n);
  ::LocalFree(buffer);
  return true;
}

// One trailing LF goes, then one CR before it.
void TrimLineEnd(std::string* text) {
  if (text->size() > 1 && text->back() == '\n') {
    text->pop_back();
    if (!text->empty() && text->back() == '\r') text->pop_back();
  }
}

// Builds the description of a system error, or returns false when the system has no text for it.
bool DescribeSystemError(DWORD error, std::wstring_view prefix, std::wstring* description) {
  std::string text;
  if (!LookUpMessage(error, 0, &text)) return false;
  TrimLineEnd(&text);
  description->assign(prefix).append(com::FromAnsi(text));
  return true;
}

bool DescribeSystemError(DWORD error, const char* prefix, std::wstring* description) {
  return DescribeSystemError(error, prefix ? com::FromAnsi(prefix) : std::wstring(), description);
}

}  // namespace

HRESULT ReportError(REFCLSID clsid, const wchar_t* description, HRESULT code) {
  if (!description) {
    description = L"Unknown Error";
    if (code == 0) code = static_cast<HRESULT>(0x80040000);
  }
  ComPtr<ICreateErrorInfo> create;
  if (SUCCEEDED(::CreateErrorInfo(create.put()))) {
    create->SetGUID(GUID_NULL);
    LPOLESTR progId = nullptr;
    if (SUCCEEDED(::ProgIDFromCLSID(clsid, &progId)) && progId) {
      create->SetSource(progId);
      ::CoTaskMemFree(progId);
    }
    create->SetDescription(const_cast<LPOLESTR>(description));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info))) ::SetErrorInfo(0, info.get());
  }
  return code == 0 ? DISP_E_EXCEPTION : code;
}

// The reports below build their texts in memory, and many members call them outside any guard
// of their own: a failed allocation becomes E_OUTOFMEMORY here instead of leaving the module.
HRESULT ReportError(REFCLSID clsid, const char* description, HRESULT code) {
  if (!description) return ReportError(clsid, static_cast<const wchar_t*>(nullptr), code);
  return com::Guarded([&] {
    const std::wstring wide = com::FromAnsi(description);
    return ReportError(clsid, wide.c_str(), code);
  });
}

HRESULT ReportLastError(REFCLSID clsid, const char* prefix) {
  const DWORD error = ::GetLastError();
  return com::Guarded([&] {
    std::wstring description;
    const bool found = DescribeSystemError(error, prefix, &description);
    // When the system has no text, the lookup's own failure is what gets reported.
    const HRESULT code = SystemErrorCode(found ? error : ::GetLastError());
    return ReportError(clsid, found ? description.c_str() : nullptr, code);
  });
}

HRESULT ReportSystemError(REFCLSID clsid, DWORD error, const char* prefix) {
  return com::Guarded([&] {
    return ReportSystemError(clsid, error, prefix ? com::FromAnsi(prefix) : std::wstring());
  });
}

HRESULT ReportSystemError(REFCLSID clsid, DWORD error, std::wstring_view prefix) {
  return com::Guarded([&] {
    std::wstring description;
    const bool found = DescribeSystemError(error, prefix, &description);
    return ReportError(clsid, found ? description.c_str() : nullptr, SystemErrorCode(error));
  });
}

std::string SystemMessageText(DWORD error) {
  std::string text;
  LookUpMessage(error, FORMAT_MESSAGE_IGNORE_INSERTS, &text);
  return text;
}

}  // namespace docket
