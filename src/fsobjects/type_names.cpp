// What kind of thing a file or folder is, in the platform's own words: the type description and
// content type registered for a file's extension, and the shell's type name for a folder. None
// of them fails: when the platform has no answer, the answer is an empty (null) string. (Objects
// created by name stand for nothing and are refused, as in every member that asks the system.)
#include "com/ansi.h"
#include "com/handles.h"
#include "fsobjects/file.h"
#include "fsobjects/folder.h"

#include <shellapi.h>

#include <cstring>
#include <optional>

namespace docket {
namespace {

// Registry texts longer than this are no answer rather than a truncated one.
constexpr DWORD kRegistryTextBytes = 255;

// The text of a string value under HKEY_CLASSES_ROOT\key (its default value for a null name).
std::optional<std::string> ClassesRootText(const std::string& key, const char* valueName) {
  if (key.empty()) return std::nullopt;  // would open the root itself
  com::UniqueKey opened;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, opened.put()) != ERROR_SUCCESS)
    return std::nullopt;
  char data[kRegistryTextBytes + 1];
  DWORD size = kRegistryTextBytes;
  DWORD type = REG_NONE;
  if (::RegQueryValueExA(opened.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  return std::string(data, strnlen(data, size));  // stored with or without its terminator
}

// From the last full stop on, the stop included (.gz for archive.tar.gz); none without a stop.
std::string ExtensionOf(const std::string& name) {
  const size_t stop = text::FindLastOf(name, ".", com::SystemLeadBytes());
  return stop == std::string::npos ? std::string() : name.substr(stop);
}

// Hands a text over as the result; an empty text stays a null string.
HRESULT ReturnText(const std::optional<std::string>& text, BSTR* out) {
  if (!text || text->empty()) return S_OK;
  return com::ReturnAnsi(*text, out);
}

}  // namespace

// The extension's key names a file class, whose own key holds the description.
STDMETHODIMP File::get_Type(BSTR* pbstrType) {
  DOCKET_RETURN_IF_NULL(pbstrType);
  *pbstrType = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    const std::optional<std::string> fileClass = ClassesRootText(ExtensionOf(here.name), nullptr);
    if (!fileClass) return S_OK;
    return ReturnText(ClassesRootText(*fileClass, nullptr), pbstrType);
  });
}

// No default content type is made up: an unregistered extension has none.
STDMETHODIMP File::get_MimeType(BSTR* pbstrMimeType) {
  DOCKET_RETURN_IF_NULL(pbstrMimeType);
  *pbstrMimeType = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    return ReturnText(ClassesRootText(ExtensionOf(here.name), "Content Type"), pbstrMimeType);
  });
}

// The shell is loaded for the call only, so that a host that never asks does not carry it.
STDMETHODIMP Folder::get_Type(BSTR* pbstrType) {
  DOCKET_RETURN_IF_NULL(pbstrType);
  *pbstrType = nullptr;
  return WithPath([&](const std::string& path) {
    const com::UniqueLibrary shell(::LoadLibraryA("SHELL32.DLL"));
    if (!shell) return S_OK;
    const auto getFileInfo = reinterpret_cast<decltype(&::SHGetFileInfoA)>(
        reinterpret_cast<void*>(::GetProcAddress(shell.get(), "SHGetFileInfoA")));
    if (!getFileInfo) return S_OK;
    SHFILEINFOA info = {};
    if (!getFileInfo(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME)) return S_OK;
    const size_t length = strnlen(info.szTypeName, sizeof info.szTypeName);
    return ReturnText(std::string(info.szTypeName, length), pbstrType);
  });
}

}  // namespace docket
