#include "support/sweep_table.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
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
  for (wchar_t c : text) shown += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : c == 0 ? L"\\0" : std::wstring(1, c);
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
  const VARIANT* v = V_VT(&value) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&value) : &value;
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
    case VT_R8: case VT_R4: case VT_CY: case VT_DECIMAL: return L"number";
    case VT_DISPATCH: case VT_UNKNOWN: return V_UNKNOWN(v) ? L"object" : L"Nothing";
    default: return L"type " + std::to_wstring(V_VT(v));
  }
}

std::filesystem::path TablePath(const std::wstring& target) {
  // The source tree's path as the build knows it; a Unix path is drive Z: under Wine.
  return std::filesystem::path(L"Z:" DOCKET_SOURCE_DIR L"/tests/argument_sweep/") / (target + L".txt");
}

std::multiset<std::string> LinesOf(const std::string& text, std::vector<std::string>* ordered) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) ordered->push_back(line);
  return {ordered->begin(), ordered->end()};
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
  const std::wstring value = DescribeValue(result, substitutions);
  return (hr == S_OK ? L"S_OK" : Hex(hr)) + (value.empty() ? L"" : L" -> " + value);
}

std::string Utf8(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
  return bytes;
}

std::string ReadTable(const std::wstring& target) {
  std::ifstream in(TablePath(target), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteTable(const std::wstring& target, const std::string& text) {
  std::ofstream out(TablePath(target), std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out << text) && static_cast<bool>(out.flush());
}

std::vector<std::string> TableDifferences(const std::string& expected, const std::string& actual) {
  std::vector<std::string> was, is, differences;
  const std::multiset<std::string> wasSet = LinesOf(expected, &was), isSet = LinesOf(actual, &is);
  for (const std::string& line : was)
    if (!isSet.count(line)) differences.push_back("- " + line);
  for (const std::string& line : is)
    if (!wasSet.count(line)) differences.push_back("+ " + line);
  if (differences.empty() && was != is) differences.push_back("(the same lines in another order)");
  return differences;
}

}  // namespace docket::test
