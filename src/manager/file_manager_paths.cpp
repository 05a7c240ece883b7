// The path-name functions: joining, splitting and canonicalising paths, and naming a temporary
// file. Apart from GetTempName none of them fails: whatever yields nothing yields "", and so does
// a path argument that ToPlatformPath refuses (its text would be another path's).
#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "manager/path_text.h"
#include "module/error_report.h"

#include <optional>

namespace docket {
namespace {

// The platform form of a path argument, or nothing when it is refused.
std::optional<std::string> PathArgument(BSTR path) {
  PlatformPath given = ToPlatformPath(path);
  if (!given) return std::nullopt;
  return std::move(given.text);
}

struct AbsoluteForm {
  std::string text;
  size_t finalPos = pathtext::kNoFinalComponent;
};

// The platform's absolute form in a MAX_PATH buffer; false when it fails or does not fit.
bool TakeAbsoluteForm(const std::string& path, AbsoluteForm* out) {
  char buffer[MAX_PATH];
  char* filePart = nullptr;
  const DWORD n = ::GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &filePart);
  if (n == 0 || n >= MAX_PATH) return false;
  out->text.assign(buffer, n);
  out->finalPos = filePart ? static_cast<size_t>(filePart - buffer) : pathtext::kNoFinalComponent;
  return true;
}

// The final component of the absolute form of a path, or "".
std::string FinalComponentOf(BSTR path) {
  const std::optional<std::string> given = PathArgument(path);
  AbsoluteForm form;
  if (!given || !TakeAbsoluteForm(*given, &form)) return {};
  return pathtext::FinalComponent(form.text, form.finalPos);
}

template <class Body>
HRESULT ReturnPath(BSTR* result, Body&& body) {
  if (!result) return E_POINTER;
  *result = nullptr;
  return com::Guarded([&] { return com::ReturnAnsi(body(), result); });
}

}  // namespace

STDMETHODIMP FileManager::BuildPath(BSTR Path, BSTR Name, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&]() -> std::string {
    const std::optional<std::string> path = PathArgument(Path), name = PathArgument(Name);
    if (!path || !name) return {};
    return pathtext::BuildPath(*path, *name, com::SystemLeadBytes());
  });
}

STDMETHODIMP FileManager::GetDriveName(BSTR Path, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&]() -> std::string {
    const std::optional<std::string> path = PathArgument(Path);
    return path ? pathtext::DriveName(*path, com::SystemLeadBytes()) : std::string();
  });
}

STDMETHODIMP FileManager::GetParentFolderName(BSTR Path, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&]() -> std::string {
    const std::optional<std::string> path = PathArgument(Path);
    AbsoluteForm parent;
    if (!path || !TakeAbsoluteForm(pathtext::ParentQuery(*path), &parent)) return {};
    // A root is its own parent, and so is anything that orders before its computed parent.
    if (pathtext::OrdersAtOrBefore(com::View(Path), com::FromAnsi(parent.text))) return {};
    return parent.text;
  });
}

STDMETHODIMP FileManager::GetFileName(BSTR Path, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&] { return FinalComponentOf(Path); });
}

STDMETHODIMP FileManager::GetBaseName(BSTR Path, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&] {
    return pathtext::BaseName(FinalComponentOf(Path), com::SystemLeadBytes());
  });
}

STDMETHODIMP FileManager::GetExtensionName(BSTR Path, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&] {
    return pathtext::ExtensionName(FinalComponentOf(Path), com::SystemLeadBytes());
  });
}

STDMETHODIMP FileManager::GetAbsolutePathName(BSTR Path, BSTR* pbstrResult) {
  return ReturnPath(pbstrResult, [&]() -> std::string {
    if (com::View(Path).empty()) {
      char current[MAX_PATH];
      const DWORD n = ::GetCurrentDirectoryA(MAX_PATH, current);
      return n == 0 || n >= MAX_PATH ? std::string() : std::string(current, n);
    }
    const std::optional<std::string> path = PathArgument(Path);
    AbsoluteForm form;
    return path && TakeAbsoluteForm(*path, &form) ? form.text : std::string();
  });
}

STDMETHODIMP FileManager::GetTempName(BSTR* pbstrResult) {
  if (!pbstrResult) return E_POINTER;
  *pbstrResult = nullptr;
  char folder[MAX_PATH];
  const DWORD n = ::GetTempPathA(MAX_PATH, folder);
  if (n == 0) return ReportLastError(ClassId());
  if (n >= MAX_PATH) return ReportSystemError(ClassId(), ERROR_FILENAME_EXCED_RANGE);
  char created[MAX_PATH];
  if (::GetTempFileNameA(folder, "rad", 0, created) == 0) return ReportLastError(ClassId());
  // The file stays: the caller gets its bare name and may create it anew or use it as it is.
  const std::string_view full(created);
  return com::Guarded([&] {
    return com::ReturnAnsi(full.substr(LastSeparatorOf(full) + 1), pbstrResult);
  });
}

}  // namespace docket
