// The service's INI files, through the platform's private-profile functions: they decide where a
// bare file name lives, how names match and how the file is laid out. Strings, integers and
// booleans are all kept as text; integers read back go through the automation conversion.
#include "com/ansi.h"
#include "com/variant.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "module/error_report.h"

#include <optional>

namespace docket {
namespace {

// A string read, in bytes with the terminator: one that fills its buffer may have been cut, and
// is read again with ten times the room, up to the largest.
constexpr DWORD kFirstStringBytes = 100;
constexpr DWORD kLargestStringBytes = 1000000;

struct ProfileRead {
  std::string text;
  bool filled = false;  // the buffer was full: the value may go on
};

// The platform's profile functions widen every text they are given into a string that counts
// its bytes in 16 bits. A text of 32,767 bytes or more cannot be widened, and the platform then
// goes on with a string it never made (under Wine, a crash a few calls later): such a text is
// refused before the platform sees it.
constexpr size_t kLongestProfileText = 32766;

// A section, key, value or default in the form the platform takes, or the error for which it is
// refused. A text to be written must also arrive exactly: a NUL would end it early and a character
// the system code page lacks would turn into another, so either would put the write where the
// caller did not aim it.
DWORD ProfileText(std::wstring_view text, bool written, std::string* ansi) {
  if (written && text.find(L'\0') != std::wstring_view::npos) return ERROR_INVALID_PARAMETER;
  *ansi = com::ToAnsi(text);
  if (ansi->size() > kLongestProfileText) return ERROR_INVALID_PARAMETER;
  if (written && com::FromAnsi(*ansi) != text) return ERROR_NO_UNICODE_TRANSLATION;
  return 0;
}

// What a read looks up (file, section, key and fallback), each in the platform's form.
struct ProfileLookup {
  std::string file, section, key, fallback;
};

// The lookup of a read, or the refusal of its file or of one of its texts, reported under `clsid`.
HRESULT ProfileLookupOf(REFCLSID clsid, BSTR fileName, BSTR section, BSTR key,
                        std::wstring_view fallback, ProfileLookup* lookup) {
  PlatformPath file = ToPlatformPath(fileName);
  if (!file) return ReportRefusedPath(clsid, file);
  lookup->file = std::move(file.text);
  DWORD refusal = ProfileText(com::View(section), false, &lookup->section);
  if (!refusal) refusal = ProfileText(com::View(key), false, &lookup->key);
  if (!refusal) refusal = ProfileText(fallback, false, &lookup->fallback);
  return refusal ? ReportSystemError(clsid, refusal) : S_OK;
}

// A key's value, or the fallback where the file, section or key is missing, cut to fit `bytes`.
ProfileRead ReadProfile(const ProfileLookup& lookup, DWORD bytes) {
  std::string buffer(bytes, '\0');
  const DWORD copied =
      ::GetPrivateProfileStringA(lookup.section.c_str(), lookup.key.c_str(), lookup.fallback.c_str(),
                                 buffer.data(), bytes, lookup.file.c_str());
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return {std::move(buffer), copied == bytes - 1};
}

// What the automation conversion makes of a text as a 32-bit integer, if anything.
std::optional<LONG> AutomationInteger(const std::string& text) {
  com::Variant number;
  V_VT(number.get()) = VT_BSTR;
  V_BSTR(number.get()) = com::AnsiToBstr(text).release();
  if (FAILED(::VariantChangeType(number.get(), number.get(), 0, VT_I4))) return std::nullopt;
  return V_I4(number.get());
}

// How a number kept as text is read: the room for its text, and whether it is a boolean (any
// number other than 0 reads as 1).
struct NumberRead {
  DWORD bytes;
  bool boolean;
};
constexpr NumberRead kIntegerRead{255, false};
constexpr NumberRead kBooleanRead{30, true};

// Reads a number kept as text, or the fallback's text where the value is missing; text that does
// not convert gives the fallback exactly as the caller gave it.
HRESULT ReadNumber(REFCLSID clsid, BSTR fileName, BSTR section, BSTR key, LONG fallback,
                   NumberRead kind, LONG* out) {
  DOCKET_RETURN_IF_NULL(out);
  *out = 0;
  return com::Guarded([&] {
    ProfileLookup lookup;
    DOCKET_RETURN_IF_FAILED(
        ProfileLookupOf(clsid, fileName, section, key, std::to_wstring(fallback), &lookup));
    const std::string text = ReadProfile(lookup, kind.bytes).text;
    const std::optional<LONG> number = AutomationInteger(text);
    if (!number) {
      *out = fallback;
    } else {
      *out = kind.boolean ? (*number != 0 ? 1 : 0) : *number;
    }
    return S_OK;
  });
}

// One write of the platform: without a key it removes the whole section, without a value the
// key. Every text is checked before the file is touched.
HRESULT WriteProfile(REFCLSID clsid, BSTR fileName, std::wstring_view section,
                     std::optional<std::wstring_view> key, std::optional<std::wstring_view> value) {
  return com::Guarded([&] {
    const PlatformPath file = ToPlatformPath(fileName);
    if (!file) return ReportRefusedPath(clsid, file);
    // An empty name is no file; the profile functions might pick one of their own for it.
    if (file.text.empty()) return ReportSystemError(clsid, ERROR_PATH_NOT_FOUND);
    std::string sectionText, keyText, valueText;
    DWORD refusal = ProfileText(section, true, &sectionText);
    if (!refusal && key) refusal = ProfileText(*key, true, &keyText);
    if (!refusal && value) refusal = ProfileText(*value, true, &valueText);
    if (refusal) return ReportSystemError(clsid, refusal);
    if (!::WritePrivateProfileStringA(sectionText.c_str(), key ? keyText.c_str() : nullptr,
                                      value ? valueText.c_str() : nullptr, file.text.c_str()))
      return ReportLastError(clsid);
    return S_OK;
  });
}

}  // namespace

STDMETHODIMP FileManager::INIReadString(BSTR FileName, BSTR Section, BSTR Key, BSTR Default,
                                        BSTR* pbstrValue) {
  DOCKET_RETURN_IF_NULL(pbstrValue);
  *pbstrValue = nullptr;
  return com::Guarded([&] {
    ProfileLookup lookup;
    DOCKET_RETURN_IF_FAILED(
        ProfileLookupOf(ClassId(), FileName, Section, Key, com::View(Default), &lookup));
    ProfileRead read;
    for (DWORD bytes = kFirstStringBytes;; bytes *= 10) {
      read = ReadProfile(lookup, bytes);
      if (!read.filled || bytes == kLargestStringBytes) break;
    }
    return com::ReturnAnsi(read.text, pbstrValue);
  });
}

STDMETHODIMP FileManager::INIWriteString(BSTR FileName, BSTR Section, BSTR Key, BSTR Value) {
  return WriteProfile(ClassId(), FileName, com::View(Section), com::View(Key), com::View(Value));
}

STDMETHODIMP FileManager::INIReadInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Default,
                                         LONG* plValue) {
  return ReadNumber(ClassId(), FileName, Section, Key, Default, kIntegerRead, plValue);
}

STDMETHODIMP FileManager::INIWriteInteger(BSTR FileName, BSTR Section, BSTR Key, LONG Value) {
  return com::Guarded([&] {
    const std::wstring text = std::to_wstring(Value);
    return WriteProfile(ClassId(), FileName, com::View(Section), com::View(Key), text);
  });
}

STDMETHODIMP FileManager::INIReadBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Default,
                                         LONG* plValue) {
  return ReadNumber(ClassId(), FileName, Section, Key, Default, kBooleanRead, plValue);
}

STDMETHODIMP FileManager::INIWriteBoolean(BSTR FileName, BSTR Section, BSTR Key, LONG Value) {
  return WriteProfile(ClassId(), FileName, com::View(Section), com::View(Key),
                      Value != 0 ? L"1" : L"0");
}

STDMETHODIMP FileManager::INIDeleteSection(BSTR FileName, BSTR Section) {
  return WriteProfile(ClassId(), FileName, com::View(Section), std::nullopt, std::nullopt);
}

STDMETHODIMP FileManager::INIDeleteKey(BSTR FileName, BSTR Section, BSTR Key) {
  return WriteProfile(ClassId(), FileName, com::View(Section), com::View(Key), std::nullopt);
}

}  // namespace docket
