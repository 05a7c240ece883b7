#include "support/sweep_table.h"

#include <algorithm>
#include <cwchar>
#include <set>
#include <sstream>

namespace docket::test {
namespace {

constexpr size_t kLongestShownText = 100;

std::wstring Substitute(std::wstring text, const Substitutions& substitutions) {
  for (const auto& [from, to] : substitutions) {
    if (from.empty()) continue;
    for (size_t at = 0; (at = text.find(from, at)) != std::wstring::npos; at += to.size())
      text.replace(at, from.size(), to);
  }
  return text;
}

// Temporary names the system makes up ("rad1a2b.tmp"): their hexadecimal digits differ by run, and
// so does their number (a count of milliseconds written without leading zeros, which has fewer
// digits shortly after the Wine server starts). The whole run of hexadecimal digits before ".tmp"
// becomes "XXXX", taking along any the prefix ends with, so that the mask has one form.
std::wstring MaskMadeUpNames(std::wstring text) {
  for (size_t dot = 0; (dot = text.find(L".tmp", dot)) != std::wstring::npos; dot += 4) {
    size_t start = dot;
    while (start > 0 && std::iswxdigit(text[start - 1])) --start;
    if (start == dot) continue;
    text.replace(start, dot - start, L"XXXX");
    dot = start + 4;
  }
  return text;
}

std::wstring Quoted(std::wstring_view raw, const Substitutions& substitutions) {
  const std::wstring text = MaskMadeUpNames(Substitute(std::wstring(raw), substitutions));
  if (text.size() > kLongestShownText) return L"<" + std::to_wstring(text.size()) + L" characters>";
  std::wstring shown = L"\"";
  for (wchar_t c : text) {
    if (c == L'\r') shown += L"\\r";
    else if (c == L'\n') shown += L"\\n";
    else if (c == L'\0') shown += L"\\0";
    else shown += c;
  }
  return shown + L"\"";
}

std::wstring Hex(HRESULT hr) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// What a successful call gave back. Numbers that change between runs (sizes of a shared disk,
// times) show as their kind only.
std::wstring DescribeValue(const VARIANT& value, const Substitutions& substitutions) {
  const VARIANT* v = &value;
  if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
  if (V_VT(v) & VT_ARRAY) return L"array";
  switch (V_VT(v)) {
    case VT_EMPTY: return L"";
    case VT_NULL: return L"Null";
    case VT_BSTR: return Quoted(std::wstring_view(V_BSTR(v), ::SysStringLen(V_BSTR(v))), substitutions);
    case VT_BOOL: return V_BOOL(v) ? L"True" : L"False";
    case VT_I2: return std::to_wstring(V_I2(v));
    case VT_I4: return std::to_wstring(V_I4(v));
    case VT_UI1: return std::to_wstring(V_UI1(v));
    case VT_DATE: return L"date";
    case VT_R8:
    case VT_R4:
    case VT_CY:
    case VT_DECIMAL: return L"number";
    case VT_DISPATCH:
    case VT_UNKNOWN: return V_UNKNOWN(v) ? L"object" : L"Nothing";
    default: return L"type " + std::to_wstring(V_VT(v));
  }
}

std::string Utf8(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
  return bytes;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wistringstream in(text);
  for (std::wstring line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

const wchar_t* CodeName(HRESULT hr) {
  switch (hr) {
    case E_INVALIDARG: return L"E_INVALIDARG";
    case E_NOTIMPL: return L"E_NOTIMPL";
    case E_POINTER: return L"E_POINTER";
    case E_NOINTERFACE: return L"E_NOINTERFACE";
    case E_OUTOFMEMORY: return L"E_OUTOFMEMORY";
    case E_UNEXPECTED: return L"E_UNEXPECTED";
    case DISP_E_TYPEMISMATCH: return L"DISP_E_TYPEMISMATCH";
    case DISP_E_PARAMNOTOPTIONAL: return L"DISP_E_PARAMNOTOPTIONAL";
    case DISP_E_PARAMNOTFOUND: return L"DISP_E_PARAMNOTFOUND";
    case DISP_E_BADVARTYPE: return L"DISP_E_BADVARTYPE";
    case DISP_E_OVERFLOW: return L"DISP_E_OVERFLOW";
    case DISP_E_BADPARAMCOUNT: return L"DISP_E_BADPARAMCOUNT";
    case DISP_E_MEMBERNOTFOUND: return L"DISP_E_MEMBERNOTFOUND";
    default: return L"";
  }
}

std::wstring DescribeResult(HRESULT hr, const EXCEPINFO& exception, const VARIANT& result,
                            const Substitutions& substitutions) {
  if (hr == DISP_E_EXCEPTION) {
    const std::wstring description = exception.bstrDescription ? exception.bstrDescription : L"";
    if (!description.empty()) return Hex(exception.scode) + L" " + Quoted(description, substitutions);
    hr = exception.scode;  // a bare failure of the member, handed over as an exception
  }
  if (FAILED(hr)) {
    const std::wstring name = CodeName(hr);
    return name.empty() ? Hex(hr) : Hex(hr) + L" " + name;
  }
  std::wstring text = hr == S_OK ? L"S_OK" : Hex(hr);
  const std::wstring value = DescribeValue(result, substitutions);
  if (!value.empty()) text += L" -> " + value;
  return text;
}

std::wstring ReadTable(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD n = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  ::CloseHandle(file);
  const int chars = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                          nullptr, 0);
  std::wstring text(static_cast<size_t>(chars), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), chars);
  return text;
}

bool WriteTable(const std::wstring& path, const std::wstring& text) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = Utf8(text);
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

std::vector<std::wstring> TableDifferences(const std::wstring& expected, const std::wstring& actual) {
  const std::vector<std::wstring> was = Lines(expected), is = Lines(actual);
  const std::multiset<std::wstring> wasSet(was.begin(), was.end()), isSet(is.begin(), is.end());
  std::vector<std::wstring> differences;
  for (const std::wstring& line : was)
    if (!isSet.count(line)) differences.push_back(L"- " + line);
  for (const std::wstring& line : is)
    if (!wasSet.count(line)) differences.push_back(L"+ " + line);
  if (differences.empty() && was != is) differences.push_back(L"(the same lines in another order)");
  return differences;
}

std::wstring TableFolder() {
  // The source tree's path as the build knows it; a Unix path is drive Z: under Wine.
  std::wstring folder = L"" DOCKET_SOURCE_DIR L"/tests/argument_sweep";
  if (!folder.empty() && folder[0] == L'/') folder = L"Z:" + folder;
  std::replace(folder.begin(), folder.end(), L'/', L'\\');
  return folder;
}

}  // namespace docket::test
