// The service's single-file operations by path: move, copy, create, look up, test for existence.
// Every path the platform could not be given exactly as written is refused before any platform
// call (see ToPlatformPath).
#include "com/ansi.h"
#include "com/handles.h"
#include "com/make_child.h"
#include "fsobjects/file.h"
#include "fsobjects/file_move.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "manager/temporary_file.h"
#include "module/error_report.h"

namespace docket {
namespace {

// What the platform's temporary-file call adds to a folder: "\", three prefix characters, four
// hexadecimal digits and ".tmp".
constexpr size_t kLongestTemporaryName = 12;

// Whether a path exists with or without the directory attribute. Any failure of the lookup
// answers false, and so does a path that is refused: nothing exists under a name the platform
// cannot be given (the lookup would have answered for another one).
HRESULT TestAttributes(BSTR path, bool wantDirectory, VARIANT_BOOL* exists) {
  DOCKET_RETURN_IF_NULL(exists);
  return com::Guarded([&] {
    *exists = VARIANT_FALSE;
    const PlatformPath given = ToPlatformPath(path);
    if (!given) return S_OK;
    const DWORD attributes = ::GetFileAttributesA(given.text.c_str());
    const bool found = attributes != INVALID_FILE_ATTRIBUTES &&
                       ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == wantDirectory;
    *exists = found ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

}  // namespace

STDMETHODIMP FileManager::MoveFile(BSTR Source, BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return com::Guarded([&] {
    const PlatformPath from = ToPlatformPath(Source);
    if (!from) return ReportRefusedPath(ClassId(), from);
    const PlatformPath to = ToPlatformPath(Destination);
    if (!to) return ReportRefusedPath(ClassId(), to);
    if (!MoveFileByPlatform(from.text, to.text, OverWriteFiles != VARIANT_FALSE))
      return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP FileManager::CopyFile(BSTR Source, BSTR Destination, VARIANT_BOOL OverWriteFiles) {
  return com::Guarded([&] {
    const PlatformPath from = ToPlatformPath(Source);
    if (!from) return ReportRefusedPath(ClassId(), from);
    const PlatformPath to = ToPlatformPath(Destination);
    if (!to) return ReportRefusedPath(ClassId(), to);
    if (!::CopyFileA(from.text.c_str(), to.text.c_str(), OverWriteFiles == VARIANT_FALSE))
      return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP FileManager::GetFile(BSTR FilePath, IFile** ppfile) {
  DOCKET_RETURN_IF_NULL(ppfile);
  // The File checks the path itself and reports under its own name.
  return com::MakeChild<File>(ppfile, [&](File& file) { return file.InitPath(FilePath); });
}

STDMETHODIMP FileManager::FolderExists(BSTR FolderSpec, VARIANT_BOOL* pfExists) {
  return TestAttributes(FolderSpec, true, pfExists);
}

STDMETHODIMP FileManager::FileExists(BSTR FileSpec, VARIANT_BOOL* pfExists) {
  return TestAttributes(FileSpec, false, pfExists);
}

STDMETHODIMP FileManager::CreateFile(BSTR FileName, VARIANT_BOOL OverWriteFiles) {
  return com::Guarded([&] {
    const PlatformPath path = ToPlatformPath(FileName);
    if (!path) return ReportRefusedPath(ClassId(), path);
    // Overwriting truncates an existing file to nothing; otherwise an existing file is an error
    // (the system's "file exists") and stays as it was.
    const bool overwrite = OverWriteFiles != VARIANT_FALSE;
    const DWORD access = overwrite ? FILE_WRITE_DATA : FILE_READ_DATA;
    const DWORD disposition = overwrite ? CREATE_ALWAYS : CREATE_NEW;
    com::UniqueFile file(::CreateFileA(path.text.c_str(), access, FILE_SHARE_READ, nullptr,
                                       disposition, FILE_FLAG_WRITE_THROUGH | FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
    if (!file) return ReportLastError(ClassId());
    if (!file.close()) return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP FileManager::CreateUniqueFile(BSTR FileName, BSTR prefixString, BSTR* pbstrPath) {
  DOCKET_RETURN_IF_NULL(pbstrPath);
  *pbstrPath = nullptr;
  return com::Guarded([&] {
    // The platform takes three characters of the prefix, adds a number and ".tmp", and keeps
    // trying numbers until it has created a file that did not exist. The name it adds (with its
    // separator, up to 12 characters) must fit too: a folder without room for it is refused before
    // a file is made whose path could only come back cut short.
    const PlatformPath folder = ToPlatformPath(FileName);
    if (!folder) return ReportRefusedPath(ClassId(), folder);
    if (folder.text.size() > com::kMaxPathChars - kLongestTemporaryName)
      return ReportPathTooLong(ClassId());
    // The prefix becomes part of a file name in the folder: one holding a separator or a drive's
    // colon would put the file elsewhere (or, on some platforms, name a file never created).
    if (com::View(prefixString).find_first_of(L"\\/:") != std::wstring_view::npos)
      return ReportSystemError(ClassId(), ERROR_INVALID_NAME);
    const PlatformPath prefix = ToPlatformPath(prefixString);
    if (!prefix) return ReportRefusedPath(ClassId(), prefix);
    const PlatformPath created = MakeTemporaryFile(folder.text, prefix.text);
    if (!created) return ReportRefusedPath(ClassId(), created);
    return com::ReturnAnsi(created.text, pbstrPath);
  });
}

}  // namespace docket
