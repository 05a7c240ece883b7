#include "support/test_support.h"

namespace docket::test {

ErrorFields TakeError() {
  ErrorFields fields;
  ComPtr<IErrorInfo> info;
  if (::GetErrorInfo(0, info.put()) != S_OK || !info) return fields;
  fields.present = true;
  Bstr description, source;
  info->GetDescription(description.put());
  info->GetSource(source.put());
  fields.description = std::wstring(description.view());
  fields.source = std::wstring(source.view());
  return fields;
}

void ClearError() { ::SetErrorInfo(0, nullptr); }

std::wstring SystemText(DWORD error) {
  wchar_t* buffer = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error,
                   0x400, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = buffer ? buffer : L"";
  if (buffer) ::LocalFree(buffer);
  if (text.size() > 1 && text.back() == L'\n') {
    text.pop_back();
    if (!text.empty() && text.back() == L'\r') text.pop_back();
  }
  return text;
}

ScratchDir::ScratchDir() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  static LONG counter = 0;
  for (;;) {
    path_ = std::wstring(temp) + L"docket-unit-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::InterlockedIncrement(&counter));
    if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
  }
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
  }
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(path.c_str());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(h);
}

std::string ReadBytes(const std::wstring& path) {
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

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags,
                      std::vector<VARIANT> args, VARIANT* result) {
  CallResult call;
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  call.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(call.hr)) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());  // dispatch order is last first
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      params.rgdispidNamedArgs = &putId;
      params.cNamedArgs = 1;
    }
    EXCEPINFO excep{};
    UINT argErr = 0;
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &excep,
                             &argErr);
    if (call.hr == DISP_E_EXCEPTION) {
      call.description = excep.bstrDescription ? excep.bstrDescription : L"";
      call.source = excep.bstrSource ? excep.bstrSource : L"";
      call.scode = excep.scode;
    }
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrHelpFile);
  }
  for (VARIANT& v : args) ::VariantClear(&v);
  return call;
}

ComPtr<IFileManager> NewManager(const LoadedModule& module) {
  ComPtr<IFileManager> manager;
  module.Create(CLSID_FileManager, manager.put());
  return manager;
}

VARIANT VBstr(const wchar_t* text) {
  VARIANT v{};
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = ::SysAllocString(text);
  return v;
}

VARIANT VI4(LONG value) {
  VARIANT v{};
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT VBool(bool value) {
  VARIANT v{};
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

}  // namespace docket::test
