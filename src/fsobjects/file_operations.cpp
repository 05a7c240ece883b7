// What a File does to itself on disk: rename, copy, move, delete. None of them changes the
// object: it goes on naming the path it was made for.
#include "fsobjects/file.h"
#include "fsobjects/file_move.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"
#include "module/policy.h"

namespace docket {
namespace {

// Runs a platform operation towards a target made from the caller's path argument and reports
// its failure; a refused argument, or a target too long for the module, is refused before the
// platform sees it.
template <class Operation>
HRESULT RunTowards(const PlatformPath& argument, const std::string& target, Operation&& operation) {
  if (!argument) return ReportRefusedPath(File::ClassId(), argument);
  if (!FitsPath(target)) return ReportPathTooLong(File::ClassId());
  if (!operation(target.c_str())) return ReportLastError(File::ClassId());
  return S_OK;
}

}  // namespace

std::string File::ResolveDestination(const Location& here, const std::string& destination) {
  if (LastSeparatorOf(destination) != std::string::npos) return destination;
  return here.folderPart + destination;
}

STDMETHODIMP File::put_Name(BSTR pbstrName) {
  return location_.Use(ClassId(), [&](const Location& here) {
    const PlatformPath name = ToPlatformPath(pbstrName);
    return RunTowards(name, here.folderPart + name.text, [&](const char* renamed) {
      // No replace flag: a rename never overwrites another file.
      return ::MoveFileExA(here.path.c_str(), renamed,
                           MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
  });
}

STDMETHODIMP File::Copy(BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return location_.Use(ClassId(), [&](const Location& here) {
    const PlatformPath destination = ToPlatformPath(Destination);
    return RunTowards(destination, ResolveDestination(here, destination.text), [&](const char* target) {
      return ::CopyFileA(here.path.c_str(), target, OverWriteFiles == VARIANT_FALSE) != FALSE;
    });
  });
}

STDMETHODIMP File::Move(BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return location_.Use(ClassId(), [&](const Location& here) {
    const PlatformPath destination = ToPlatformPath(Destination);
    return RunTowards(destination, ResolveDestination(here, destination.text), [&](const char* target) {
      return MoveFileByPlatform(here.path, target, OverWriteFiles != VARIANT_FALSE);
    });
  });
}

STDMETHODIMP File::Delete(VARIANT_BOOL Force) {
  if (Policy::DeleteDisabled()) return Policy::Refuse(ClassId());
  return location_.Use(ClassId(), [&](const Location& here) {
    // Read-only, hidden and system files resist deletion unless the caller insists.
    if (Force != VARIANT_FALSE && !::SetFileAttributesA(here.path.c_str(), FILE_ATTRIBUTE_NORMAL))
      return ReportLastError(ClassId());
    if (!::DeleteFileA(here.path.c_str())) return ReportLastError(ClassId());
    return S_OK;
  });
}

// Appending to and comparing with another file are not offered.
STDMETHODIMP File::Append(BSTR bstrFileAppendTo) { return E_NOTIMPL; }
STDMETHODIMP File::Compare(BSTR bstrFileCompareTo) { return E_NOTIMPL; }

}  // namespace docket
