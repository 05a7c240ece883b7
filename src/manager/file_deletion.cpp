// Deleting files by name or wildcard. Folders that match are left alone; the first file that
// cannot be deleted ends the run with a message naming it, and what was deleted before stays so.
// A matching file whose name has no exact form in the system code page ends it before any file
// is deleted.
#include "com/ansi.h"
#include "fsobjects/directory_search.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "module/error_report.h"
#include "module/policy.h"

#include <vector>

namespace docket {
namespace {

// The drive and folder of a search pattern, to put in front of each name the search returns:
// everything up to the last separator, or just the drive of a pattern such as "C:*.tmp".
std::string FolderOfPattern(const std::string& pattern) {
  const text::LeadBytes& lead = com::SystemLeadBytes();
  const size_t separator = text::FindLastOf(pattern, "\\/", lead);
  if (separator != std::string::npos) return pattern.substr(0, separator + 1);
  if (text::SecondCharacterIs(pattern, ':', lead)) return pattern.substr(0, 2);
  return {};
}

// A message made of a lead-in and the system's whole text for an error (line end and all), with
// no code of its own. Without a system text the description falls back to "Unknown Error".
HRESULT ReportWithSystemText(REFCLSID reporter, const std::string& leadIn, DWORD error) {
  const std::string text = SystemMessageText(error);
  if (leadIn.empty() && text.empty()) return ReportError(reporter, static_cast<const char*>(nullptr), 0);
  return ReportError(reporter, (leadIn + text).c_str(), 0);
}

}  // namespace

STDMETHODIMP FileManager::DeleteFile(BSTR FileSpec, VARIANT_BOOL Force) {
  // The administrator's switch is consulted before anything on disk is looked at.
  if (Policy::DeleteDisabled()) return Policy::Refuse(ClassId());
  return com::Guarded([&] {
    const PlatformPath pattern = ToPlatformPath(FileSpec);
    if (!pattern) return ReportRefusedPath(ClassId(), pattern);

    DirectorySearch search;
    if (!search.Start(pattern.text)) {
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) return ReportWithSystemText(ClassId(), {}, error);
      const std::wstring message = std::wstring(com::View(FileSpec)) + L" could not be found";
      return ReportError(ClassId(), message.c_str(), 0);
    }

    // Every match is named before the first file goes: a file that can only be named by a
    // look-alike (or a "?"), or only by a path beyond the limit, refuses the whole deletion.
    const std::string folder = FolderOfPattern(pattern.text);
    std::vector<std::string> names;
    do {
      if (!search.hasExactName()) {
        if (search.isDirectory()) continue;  // matching folders are left alone anyway
        return ReportInexactName(ClassId(), folder, search);
      }
      std::string name = folder;
      name += search.name();
      if (!FitsPath(name)) return ReportPathTooLong(ClassId());
      names.push_back(std::move(name));
    } while (search.Advance());

    for (const std::string& name : names) {
      const DWORD attributes = ::GetFileAttributesA(name.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        continue;
      // Forcing clears read-only, hidden and system, which would otherwise stop the deletion.
      if (Force != VARIANT_FALSE && !::SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL))
        return ReportLastError(ClassId());
      if (!::DeleteFileA(name.c_str())) {
        const DWORD error = ::GetLastError();
        return ReportWithSystemText(ClassId(), "File: " + name + "\nError: ", error);
      }
    }
    return S_OK;
  });
}

}  // namespace docket
