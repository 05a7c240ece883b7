#include "fsobjects/tree_walk.h"

#include "com/ansi.h"
#include "com/guard.h"
#include "fsobjects/deletion_rules.h"
#include "fsobjects/directory_search.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {
namespace {

// Which entries a walk must name to the platform: every entry, or only the folders it enters (a
// walk that reads files' sizes from the listing needs no file's name).
enum class Naming { EveryEntry, FoldersOnly };

// Calls visit(search, childPath) for each entry of dir except "." and "..", in listing order,
// until one fails. An entry the walk must name but that has no exact name ends the walk, reported
// by its name; one it need not name is visited with an empty path.
template <class Visit>
HRESULT ForEachChild(REFCLSID clsid, const std::string& dir, Naming naming, Visit&& visit) {
  std::string pattern;
  if (!JoinPath(dir, "*", &pattern)) return ReportPathTooLong(clsid);
  DirectorySearch search;
  if (!search.Start(pattern)) return ReportLastError(clsid);
  do {
    if (search.isDotEntry()) continue;
    std::string child;
    if (search.hasExactName()) {
      if (!JoinPath(dir, search.name(), &child)) return ReportPathTooLong(clsid);
    } else if (naming == Naming::EveryEntry || search.isDirectory()) {
      return ReportInexactName(clsid, pattern.substr(0, pattern.size() - 1), search);
    }
    DOCKET_RETURN_IF_FAILED(visit(search, child));
  } while (search.Advance());
  if (!search.Finish()) return ReportLastError(clsid);
  return S_OK;
}

// Walks the folders below dir that enters(search) lets it into, touching nothing: what a delete or
// a copy is about to walk. Whatever would stop the walk while it lists (an entry without an exact
// name, a folder that cannot be listed, a path beyond the limit) is reported before the walk that
// changes anything starts.
template <class Enters>
HRESULT CheckWalk(REFCLSID clsid, const std::string& dir, const Enters& enters) {
  const auto checkChild = [&](const DirectorySearch& search, const std::string& child) {
    return enters(search) ? CheckWalk(clsid, child, enters) : S_OK;
  };
  return ForEachChild(clsid, dir, Naming::EveryEntry, checkChild);
}

// Runs a deletion; when it is refused with access denied and force is set, clears the entry's
// attributes (read-only above all) and runs it once more.
template <class Remove>
HRESULT RemoveEntry(REFCLSID clsid, const std::string& path, bool force, Remove&& remove) {
  if (remove(path.c_str())) return S_OK;
  const DWORD error = ::GetLastError();
  if (error != ERROR_ACCESS_DENIED || !force) return ReportSystemError(clsid, error);
  if (!::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) || !remove(path.c_str()))
    return ReportLastError(clsid);
  return S_OK;
}

bool RemoveFile(const char* path) { return ::DeleteFileA(path) != FALSE; }
bool RemoveFolder(const char* path) { return ::RemoveDirectoryA(path) != FALSE; }

static_assert(deletion::kDirectoryAttribute == FILE_ATTRIBUTE_DIRECTORY);
static_assert(deletion::kReparsePointAttribute == FILE_ATTRIBUTE_REPARSE_POINT);

// Removes an entry as the rules say, walking into it only when it is a real folder.
HRESULT Remove(REFCLSID clsid, const std::string& path, DWORD attributes, bool force) {
  switch (deletion::RemovalFor(attributes)) {
    case deletion::Removal::File:
      return RemoveEntry(clsid, path, force, RemoveFile);
    case deletion::Removal::Link:
      return RemoveEntry(clsid, path, force, RemoveFolder);
    case deletion::Removal::Tree:
      break;
  }
  const auto removeChild = [&](const DirectorySearch& search, const std::string& child) {
    return Remove(clsid, child, search.attributes(), force);
  };
  DOCKET_RETURN_IF_FAILED(ForEachChild(clsid, path, Naming::EveryEntry, removeChild));
  return RemoveEntry(clsid, path, force, RemoveFolder);
}

bool EntersForRemoval(const DirectorySearch& search) {
  return deletion::RemovalFor(search.attributes()) == deletion::Removal::Tree;
}

// Copies the contents of source into target, making target (only its last level) when it is
// missing. An existing target is merged into when overwrite is set and refused otherwise.
HRESULT CopyFolder(REFCLSID clsid, const std::string& source, const std::string& target,
                   bool overwrite) {
  if (::GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (!overwrite) return ReportError(clsid, L"Destination directory already exists.", 0);
  } else {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return ReportSystemError(clsid, error);
    if (!::CreateDirectoryA(target.c_str(), nullptr)) return ReportLastError(clsid);
  }
  const auto copyChild = [&](const DirectorySearch& search, const std::string& child) {
    std::string copy;
    if (!JoinPath(target, search.name(), &copy)) return ReportPathTooLong(clsid);
    if (search.isDirectory()) return CopyFolder(clsid, child, copy, overwrite);
    if (!::CopyFileA(child.c_str(), copy.c_str(), !overwrite)) return ReportLastError(clsid);
    return S_OK;
  };
  return ForEachChild(clsid, source, Naming::EveryEntry, copyChild);
}

}  // namespace

bool JoinPath(const std::string& dir, std::string_view name, std::string* out) {
  const bool separated = EndsWithSeparator(dir);
  const size_t length = dir.size() + (separated ? 0 : 1) + name.size();
  if (length > com::kMaxPathChars) return false;
  out->reserve(length);
  out->assign(dir);
  if (!separated) out->push_back('\\');
  out->append(name);
  return true;
}

HRESULT DeleteTree(REFCLSID clsid, const std::string& dir, bool force) {
  // Emptying a root could only end in the failure to remove the root itself.
  if (deletion::IsVolumeRoot(dir, com::SystemLeadBytes()))
    return ReportSystemError(clsid, ERROR_ACCESS_DENIED);
  // The folder itself may be a link as well as anything met below it. Whatever else it has become
  // meanwhile, it is taken for a folder: the walk then meets the platform's error at once.
  const DWORD attributes = ::GetFileAttributesA(dir.c_str());
  const DWORD link = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & FILE_ATTRIBUTE_REPARSE_POINT;
  if (!link) DOCKET_RETURN_IF_FAILED(CheckWalk(clsid, dir, EntersForRemoval));
  return Remove(clsid, dir, FILE_ATTRIBUTE_DIRECTORY | link, force);
}

HRESULT CopyTree(REFCLSID clsid, const std::string& source, const std::string& target,
                 bool overwrite) {
  DOCKET_RETURN_IF_FAILED(
      CheckWalk(clsid, source, [](const DirectorySearch& search) { return search.isDirectory(); }));
  return CopyFolder(clsid, source, target, overwrite);
}

HRESULT SumTree(REFCLSID clsid, const std::string& dir, ULONGLONG* total) {
  const auto addChild = [&](const DirectorySearch& search, const std::string& child) {
    if (search.isDirectory()) return SumTree(clsid, child, total);
    *total += search.size();
    return S_OK;
  };
  return ForEachChild(clsid, dir, Naming::FoldersOnly, addChild);
}

}  // namespace docket
