// What a File does to itself on disk: rename, copy, move, delete. None of them changes the
// object: it goes on naming the path it was made for.
#include "fsobjects/file.h"
#include "fsobjects/file_move.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"
#include "module/policy.h"

namespace docket {

std::string File::ResolveDestination(const std::string& destination) const {
  if (destination.find('\\') != std::string::npos) return destination;
  return folderPart_ + destination;
}

STDMETHODIMP File::put_Name(BSTR pbstrName) {
  return com::Guarded([&] {
    const std::string renamed = folderPart_ + AnsiPathText(pbstrName);
    if (!FitsPath(renamed)) return ReportPathTooLong(ClassId());
    // No replace flag: a rename never overwrites another file.
    if (!::MoveFileExA(path_.c_str(), renamed.c_str(),
                       MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
      return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP File::Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return com::Guarded([&] {
    const std::string target = ResolveDestination(AnsiPathText(Destination));
    if (!FitsPath(target)) return ReportPathTooLong(ClassId());
    if (!::CopyFileA(path_.c_str(), target.c_str(), OverWriteFiles == VARIANT_FALSE))
      return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP File::Move(BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return com::Guarded([&] {
    const std::string target = ResolveDestination(AnsiPathText(Destination));
    if (!FitsPath(target)) return ReportPathTooLong(ClassId());
    if (!MoveFileByPlatform(path_, target, OverWriteFiles != VARIANT_FALSE))
      return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP File::Delete(VARIANT_BOOL Force) {
  if (Policy::DeleteDisabled()) return Policy::Refuse(ClassId());
  // Read-only, hidden and system files resist deletion unless the caller insists.
  if (Force != VARIANT_FALSE && !::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL))
    return ReportLastError(ClassId());
  if (!::DeleteFileA(path_.c_str())) return ReportLastError(ClassId());
  return S_OK;
}

// Appending to and comparing with another file are not offered.
STDMETHODIMP File::Append(BSTR bstrFileAppendTo) { return E_NOTIMPL; }
STDMETHODIMP File::Compare(BSTR bstrFileCompareTo) { return E_NOTIMPL; }

}  // namespace docket
