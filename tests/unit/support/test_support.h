// Helpers shared by the unit tests: error objects, system texts, scratch folders, file contents
// and late-bound calls.
#pragma once

#include "com/bstr.h"
#include "com/com_ptr.h"
#include "com/variant.h"
#include "com/win.h"
#include "support/docket_module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace docket::test {

using com::Bstr;
using com::ComPtr;
using com::Variant;

// The error object the last failing call left on this thread (taken off the thread).
struct ErrorFields {
  bool present = false;
  std::wstring description, source;
};
inline ErrorFields TakeError() {
  ComPtr<IErrorInfo> info;
  if (::GetErrorInfo(0, info.put()) != S_OK || !info) return {};
  Bstr description, source;
  info->GetDescription(description.put());
  info->GetSource(source.put());
  return {true, std::wstring(description.view()), std::wstring(source.view())};
}
inline void ClearError() { ::SetErrorInfo(0, nullptr); }

// The system's message text for an error with one line end removed, as the module reports it.
inline std::wstring SystemText(DWORD error) {
  wchar_t* buffer = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error, 0x400,
                   reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = buffer ? buffer : L"";
  ::LocalFree(buffer);
  if (text.size() > 1 && text.back() == L'\n') text.pop_back();
  if (!text.empty() && text.back() == L'\r') text.pop_back();
  return text;
}
inline HRESULT Win32Code(DWORD error) { return static_cast<HRESULT>(0x80070000u | error); }

// What every member the administrator's policy switches off reports.
inline constexpr wchar_t kPolicyRefusal[] =
    L"This option has been disabled in the registry please see your administrator for more "
    L"information.";

// What every member that would touch the disk reports on an object that stands for nothing.
inline constexpr wchar_t kUnboundRefusal[] =
    L"This object stands for no file or folder: obtain it from a FileManager.";

inline void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &entry)) {
    const std::wstring name = entry.cFileName, child = path + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveTree(child);
    else
      ::DeleteFileW(child.c_str());
  }
  if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(path.c_str());
}

// A fresh folder under the temporary directory, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static LONG counter = 0;
    do {
      path_ = std::wstring(temp) + L"docket-unit-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
              std::to_wstring(::InterlockedIncrement(&counter));
    } while (!::CreateDirectoryW(path_.c_str(), nullptr));
  }
  ~ScratchDir() { RemoveTree(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(h);
}

inline std::string ReadBytes(const std::wstring& path) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  ::CloseHandle(h);
  return bytes;
}

inline bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Calls a member by name through IDispatch, as a script would (flags: DISPATCH_METHOD etc.), with
// the arguments in script order (they are cleared afterwards).
struct CallResult {
  HRESULT hr = E_FAIL;
  std::wstring description, source;  // from the EXCEPINFO when hr is DISP_E_EXCEPTION
  SCODE scode = 0;
};
inline CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                             VARIANT* result = nullptr) {
  CallResult call;
  DISPID id = 0, putId = DISPID_PROPERTYPUT;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  call.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(call.hr)) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());  // dispatch order is last first
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()), put};
    EXCEPINFO excep{};
    UINT argErr = 0;
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &excep, &argErr);
    if (call.hr == DISP_E_EXCEPTION)
      call = {call.hr, excep.bstrDescription ? excep.bstrDescription : L"",
              excep.bstrSource ? excep.bstrSource : L"", excep.scode};
    for (BSTR text : {excep.bstrDescription, excep.bstrSource, excep.bstrHelpFile}) ::SysFreeString(text);
  }
  for (VARIANT& v : args) ::VariantClear(&v);
  return call;
}

// A FileManager of the module (by default, the one loaded once per process).
inline ComPtr<IFileManager> NewManager(const LoadedModule& module = LoadedModule::Default()) {
  ComPtr<IFileManager> manager;
  module.Create(CLSID_FileManager, manager.put());
  return manager;
}

inline VARIANT VBstr(const wchar_t* text) {
  VARIANT v{};
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = ::SysAllocString(text);
  return v;
}
inline VARIANT VI4(LONG value) {
  VARIANT v{};
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}
inline VARIANT VBool(bool value) {
  VARIANT v{};
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

// The text a member that returns a string gives; the call must succeed.
template <class I>
std::wstring TextOf(I* object, HRESULT (STDMETHODCALLTYPE I::*member)(BSTR*)) {
  Bstr text;
  EXPECT_EQ((object->*member)(text.put()), S_OK);
  return std::wstring(text.view());
}

}  // namespace docket::test
