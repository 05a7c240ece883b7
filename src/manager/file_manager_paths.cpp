// The path-name functions: joining, splitting and canonicalising paths, and naming a temporary
// file. Apart from GetTempName none of them fails: whatever yields nothing yields "", and so do a
// path argument that ToPlatformPath refuses and an absolute form (a relative path completed with
// the current directory) that the system code page cannot hold: either text would be another
// path's.
#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "fsobjects/full_path.h"
#include "manager/file_manager.h"
#include "manager/path_text.h"
#include "manager/temporary_file.h"
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

// The platform's absolute form in a MAX_PATH buffer; false when it fails, does not fit or has no
// exact form.
bool TakeAbsoluteForm(const std::string& path, AbsoluteForm* out) {
  FullPath full;
  if (TakeFullPath(path, kFullPathBuffer, &full) != ERROR_SUCCESS) return false;
  out->finalPos = full.finalPart.empty() ? pathtext::kNoFinalComponent
                                         : full.text.size() - full.finalPart.size();
  out->text = std::move(full.text);
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
      PlatformPath current = QueryPlatformPath(MAX_PATH, [](wchar_t* buffer, DWORD chars) {
        return ::GetCurrentDirectoryW(chars, buffer);
      });
      return current ? std::move(current.text) : std::string();
    }
    const std::optional<std::string> path = PathArgument(Path);
    AbsoluteForm form;
    return path && TakeAbsoluteForm(*path, &form) ? form.text : std::string();
  });
}

STDMETHODIMP FileManager::GetTempName(BSTR* pbstrResult) {
  if (!pbstrResult) return E_POINTER;
  *pbstrResult = nullptr;
  return com::Guarded([&] {
    const PlatformPath folder = QueryPlatformPath(
        MAX_PATH, [](wchar_t* buffer, DWORD chars) { return ::GetTempPathW(chars, buffer); });
    if (!folder) return ReportRefusedPath(ClassId(), folder);
    const PlatformPath created = MakeTemporaryFile(folder.text, "rad");
    if (!created) return ReportRefusedPath(ClassId(), created);
    // The file stays: the caller gets its bare name and may create it anew or use it as it is.
    const std::string_view full(created.text);
    return com::ReturnAnsi(full.substr(LastSeparatorOf(full) + 1), pbstrResult);
  });
}

}  // namespace docket
