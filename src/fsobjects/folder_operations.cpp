// What a folder does to its whole tree: delete it, copy it, move it, add up its size.
#include "com/ansi.h"
#include "fsobjects/file_path.h"
#include "fsobjects/folder.h"
#include "fsobjects/full_path.h"
#include "fsobjects/tree_walk.h"
#include "module/error_report.h"
#include "module/policy.h"

namespace docket {
namespace {

// True when target is folder itself or lies below it (compared without regard to case, as the
// file system compares names).
bool IsWithin(const std::string& folder, const std::string& target) {
  const std::wstring outer = com::FromAnsi(folder);
  const std::wstring inner = com::FromAnsi(target);
  const bool separated = !outer.empty() && outer.back() == L'\\';
  if (inner.size() < outer.size()) return false;
  if (::CompareStringOrdinal(inner.data(), static_cast<int>(outer.size()), outer.data(),
                             static_cast<int>(outer.size()), TRUE) != CSTR_EQUAL)
    return false;
  return inner.size() == outer.size() || separated || inner[outer.size()] == L'\\';
}

}  // namespace

STDMETHODIMP Folder::Delete(VARIANT_BOOL Force) {
  if (Policy::DeleteDisabled()) return Policy::Refuse(ClassId());
  return WithPath(
      [&](const std::string& path) { return DeleteTree(ClassId(), path, Force != VARIANT_FALSE); });
}

// The destination becomes the copy: the folder's contents go straight into it.
STDMETHODIMP Folder::Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return WithPath([&](const std::string& path) {
    const PlatformPath destination = ToPlatformPath(Destination);
    if (!destination) return ReportRefusedPath(ClassId(), destination);
    const DWORD attributes = ::GetFileAttributesA(destination.text.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return ReportError(ClassId(), L"Destination must be a directory", 0);
    FullPath source, target;
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), path, kFullPathBuffer, &source));
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), destination.text, kFullPathBuffer, &target));
    // A copy into its own tree would go on copying its own copies until the path limit stopped
    // it, leaving a deep partial tree behind: refused before anything is made.
    if (IsWithin(source.text, target.text))
      return ReportError(ClassId(), L"Destination must not lie inside the folder being copied.", 0);
    return CopyTree(ClassId(), source.text, target.text, OverWriteFiles != VARIANT_FALSE);
  });
}

// The object keeps naming the old place after the move.
STDMETHODIMP Folder::Move(BSTR Destination) {
  return WithPath([&](const std::string& path) {
    if (com::View(Destination) == com::FromAnsi(path)) return S_OK;
    const PlatformPath destination = ToPlatformPath(Destination);
    if (!destination) return ReportRefusedPath(ClassId(), destination);
    if (::GetFileAttributesA(destination.text.c_str()) != INVALID_FILE_ATTRIBUTES)
      return ReportError(ClassId(), L"Destination file already exists.", 0);
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return ReportSystemError(ClassId(), error);
    FullPath source, target;
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), path, kFullPathBuffer, &source));
    DOCKET_RETURN_IF_FAILED(ComputeFullPath(ClassId(), destination.text, kFullPathBuffer, &target));
    if (!::MoveFileA(source.text.c_str(), target.text.c_str())) return ReportLastError(ClassId());
    return S_OK;
  });
}

// Always a double, even for an empty folder, so that trees beyond 4 GiB come back exactly.
STDMETHODIMP Folder::get_Size(VARIANT* pvarSize) {
  if (!pvarSize) return E_POINTER;
  ::VariantInit(pvarSize);
  return WithPath([&](const std::string& path) {
    ULONGLONG total = 0;
    DOCKET_RETURN_IF_FAILED(SumTree(ClassId(), path, &total));
    V_VT(pvarSize) = VT_R8;
    V_R8(pvarSize) = static_cast<double>(total);
    return S_OK;
  });
}

}  // namespace docket
