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
ErrorFields TakeError();
inline void ClearError() { ::SetErrorInfo(0, nullptr); }

// The system's message text for an error with one line end removed, as the module reports it.
std::wstring SystemText(DWORD error);
inline HRESULT Win32Code(DWORD error) { return static_cast<HRESULT>(0x80070000u | error); }

// What every member the administrator's policy switches off reports.
inline constexpr wchar_t kPolicyRefusal[] =
    L"This option has been disabled in the registry please see your administrator for more "
    L"information.";

// What every member that would touch the disk reports on an object that stands for nothing.
inline constexpr wchar_t kUnboundRefusal[] =
    L"This object stands for no file or folder: obtain it from a FileManager.";

// A fresh folder under the temporary directory, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};
void RemoveTree(const std::wstring& path);

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
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
CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                      VARIANT* result = nullptr);

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
