#include "support/test_support.h"

namespace docket::test {

ErrorFields TakeError() {
  ComPtr<IErrorInfo> info;
  if (::GetErrorInfo(0, info.put()) != S_OK || !info) return {};
  Bstr description, source;
  info->GetDescription(description.put());
  info->GetSource(source.put());
  return {true, std::wstring(description.view()), std::wstring(source.view())};
}

std::wstring SystemText(DWORD error) {
  wchar_t* buffer = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error, 0x400,
                   reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = buffer ? buffer : L"";
  ::LocalFree(buffer);
  if (text.size() > 1 && text.back() == L'\n') text.pop_back();
  if (!text.empty() && text.back() == L'\r') text.pop_back();
  return text;
}

ScratchDir::ScratchDir() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  static LONG counter = 0;
  do {
    path_ = std::wstring(temp) + L"docket-unit-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::InterlockedIncrement(&counter));
  } while (!::CreateDirectoryW(path_.c_str(), nullptr));
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
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

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
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

CallResult CallByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                      VARIANT* result) {
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

}  // namespace docket::test
