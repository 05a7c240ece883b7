// The argument sweep's record: one line per call, readable in a review, free of anything that differs
// between runs or machines (scratch paths, names the system makes up, free space, times, accounts).
#pragma once

#include "com/win.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace docket::test {

// Texts replaced in what a call answers, in turn: {"C:\...\cases\12", "{case}"}, ...
using Substitutions = std::vector<std::pair<std::wstring, std::wstring>>;

inline std::string Utf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string bytes(::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                        nullptr);
  return bytes;
}

// Temporary names the system makes up ("rad1a2b.tmp") differ by run in their digits and in how many
// there are: the whole run of hexadecimal digits before ".tmp" (with any the prefix ends with) is "XXXX".
inline std::wstring Quoted(std::wstring_view raw, const Substitutions& substitutions) {
  std::wstring text(raw);
  for (const auto& [from, to] : substitutions)
    for (size_t at = 0; !from.empty() && (at = text.find(from, at)) != std::wstring::npos; at += to.size())
      text.replace(at, from.size(), to);
  for (size_t dot = 0; (dot = text.find(L".tmp", dot)) != std::wstring::npos; dot += 4) {
    size_t start = dot;
    while (start > 0 && std::iswxdigit(text[start - 1])) --start;
    if (start == dot) continue;
    text.replace(start, dot - start, L"XXXX");
    dot = start + 4;
  }
  if (text.size() > 100) return L"<" + std::to_wstring(text.size()) + L" characters>";
  std::wstring shown = L"\"";
  for (wchar_t c : text) shown += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : c == 0 ? L"\\0" : std::wstring(1, c);
  return shown + L"\"";
}

inline std::wstring Hex(HRESULT hr) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// The name of a result code a bare failure may carry, or empty.
inline const wchar_t* CodeName(HRESULT hr) {
#define DOCKET_CODE(code) {code, L## #code}
  static const std::pair<HRESULT, const wchar_t*> kNames[] = {
      DOCKET_CODE(E_INVALIDARG), DOCKET_CODE(E_NOTIMPL), DOCKET_CODE(E_POINTER), DOCKET_CODE(E_NOINTERFACE),
      DOCKET_CODE(E_OUTOFMEMORY), DOCKET_CODE(E_UNEXPECTED), DOCKET_CODE(DISP_E_TYPEMISMATCH),
      DOCKET_CODE(DISP_E_PARAMNOTOPTIONAL), DOCKET_CODE(DISP_E_PARAMNOTFOUND), DOCKET_CODE(DISP_E_BADVARTYPE),
      DOCKET_CODE(DISP_E_OVERFLOW), DOCKET_CODE(DISP_E_BADPARAMCOUNT), DOCKET_CODE(DISP_E_MEMBERNOTFOUND)};
#undef DOCKET_CODE
  for (const auto& [code, name] : kNames)
    if (code == hr) return name;
  return L"";
}

// A call's answer as the table shows it: "S_OK", "S_OK -> \"text\"", "0x80070002 \"File not
// found.\"", "0x80070057 E_INVALIDARG". Numbers that change between runs (sizes of a shared disk,
// times) show as their kind only.
inline std::wstring DescribeResult(HRESULT hr, const EXCEPINFO& exception, const VARIANT& result,
                                   const Substitutions& substitutions) {
  if (hr == DISP_E_EXCEPTION) {
    const std::wstring description = exception.bstrDescription ? exception.bstrDescription : L"";
    if (!description.empty()) return Hex(exception.scode) + L" " + Quoted(description, substitutions);
    hr = exception.scode;  // a bare failure of the member, handed over as an exception
  }
  if (FAILED(hr)) return *CodeName(hr) ? Hex(hr) + L" " + CodeName(hr) : Hex(hr);
  const VARIANT* v = V_VT(&result) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&result) : &result;
  std::wstring value;
  if (V_VT(v) & VT_ARRAY) value = L"array";
  else switch (V_VT(v)) {
    case VT_EMPTY: break;
    case VT_NULL: value = L"Null"; break;
    case VT_BSTR: value = Quoted(std::wstring_view(V_BSTR(v), ::SysStringLen(V_BSTR(v))), substitutions); break;
    case VT_BOOL: value = V_BOOL(v) ? L"True" : L"False"; break;
    case VT_I2: value = std::to_wstring(V_I2(v)); break;
    case VT_I4: value = std::to_wstring(V_I4(v)); break;
    case VT_UI1: value = std::to_wstring(V_UI1(v)); break;
    case VT_DATE: value = L"date"; break;
    case VT_R8: case VT_R4: case VT_CY: case VT_DECIMAL: value = L"number"; break;
    case VT_DISPATCH: case VT_UNKNOWN: value = V_UNKNOWN(v) ? L"object" : L"Nothing"; break;
    default: value = L"type " + std::to_wstring(V_VT(v));
  }
  return (hr == S_OK ? L"S_OK" : Hex(hr)) + (value.empty() ? L"" : L" -> " + value);
}

// The lines one text has and the other lacks ("- line", "+ line"); empty when they agree.
inline std::string LineChanges(const std::string& expected, const std::string& actual) {
  std::multiset<std::string> lines[2];
  for (int i : {0, 1}) {
    std::istringstream in(i ? actual : expected);
    for (std::string line; std::getline(in, line);) lines[i].insert(line);
  }
  std::string changes;
  for (int i : {0, 1})
    for (const std::string& line : lines[i])
      if (!lines[1 - i].count(line)) changes += (i ? "+ " : "- ") + line + "\n";
  return changes.empty() && expected != actual ? "(the same lines in another order)\n" : changes;
}

// Compares `text` with the table of `target` in the source tree (a Unix path is drive Z: under
// Wine), or writes the table anew when DOCKET_SWEEP_UPDATE is set.
inline std::string TableChanges(const std::wstring& target, const std::string& text) {
  const std::filesystem::path path =
      std::filesystem::path(L"Z:" DOCKET_SOURCE_DIR L"/tests/argument_sweep/") / (target + L".txt");
  if (::GetEnvironmentVariableW(L"DOCKET_SWEEP_UPDATE", nullptr, 0) > 0) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out << text && out.flush() ? "" : "the table cannot be written\n";
  }
  std::ifstream in(path, std::ios::binary);
  return LineChanges({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}, text);
}

}  // namespace docket::test
