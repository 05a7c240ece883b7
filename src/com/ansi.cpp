#include "com/ansi.h"

#include <new>

namespace docket::com {
namespace {

// A length as the conversion calls take it; throws std::bad_alloc for one they cannot take.
int ConversionLength(size_t length) {
  if (length > kMaxConvertibleChars) throw std::bad_alloc();
  return static_cast<int>(length);
}

// Converts with the given flags; false when the platform refuses the conversion.
bool WideToAnsi(std::wstring_view text, UINT codePage, DWORD flags, BOOL* usedDefault,
                std::string* out) {
  const int length = ConversionLength(text.size());
  const int n = ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr,
                                      usedDefault);
  if (n <= 0) return false;
  out->assign(static_cast<size_t>(n), '\0');
  return ::WideCharToMultiByte(codePage, flags, text.data(), length, out->data(), n, nullptr,
                               usedDefault) == n;
}

}  // namespace

std::string ToAnsi(std::wstring_view text) {
  std::string out;
  // Conversion fails only for a result beyond what an int counts: that is no text to work with.
  if (!text.empty() && !WideToAnsi(text, CP_ACP, 0, nullptr, &out)) throw std::bad_alloc();
  return out;
}

std::optional<std::string> ToAnsiExact(std::wstring_view text) {
  std::string out;
  if (!ToAnsiExact(text, &out)) return std::nullopt;
  return out;
}

bool ToAnsiExact(std::wstring_view text, std::string* out) {
  out->clear();
  if (text.empty()) return true;
  // A UTF-8 code page has every character but takes neither flag nor default-character check;
  // there only ill-formed UTF-16 (a lone surrogate) has no exact form.
  static const bool utf8 = ::GetACP() == CP_UTF8;
  BOOL usedDefault = FALSE;
  const bool converted =
      utf8 ? WideToAnsi(text, CP_UTF8, WC_ERR_INVALID_CHARS, nullptr, out)
           : WideToAnsi(text, CP_ACP, WC_NO_BEST_FIT_CHARS, &usedDefault, out);
  return converted && !usedDefault;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int length = ConversionLength(text.size());
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (n <= 0) throw std::bad_alloc();
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), n);
  return out;
}

text::LeadBytes LeadBytesOf(UINT codePage) {
  text::LeadBytes lead{};
  CPINFO info{};
  if (!::GetCPInfo(codePage, &info) || info.MaxCharSize != 2) return lead;
  // Ranges of first and last byte, ending with a pair of zeros.
  for (size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
    for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) lead[b] = true;
  }
  return lead;
}

const text::LeadBytes& SystemLeadBytes() {
  static const text::LeadBytes lead = LeadBytesOf(CP_ACP);
  return lead;
}

bool SystemIsDoubleByte() {
  static const bool any = SystemLeadBytes() != text::LeadBytes{};
  return any;
}

Bstr AnsiToBstr(std::string_view text) { return Bstr(FromAnsi(text)); }

HRESULT ReturnAnsi(std::string_view text, BSTR* out) { return ReturnWide(FromAnsi(text), out); }

HRESULT ReturnWide(std::wstring_view text, BSTR* out) {
  *out = nullptr;
  if (text.size() > kMaxConvertibleChars) return E_OUTOFMEMORY;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace docket::com
