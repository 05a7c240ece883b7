// How a File comes to know its path: one of the two initialisations, each of which probes whether
// the file can be opened at all. The outcome of that probe is what Accessible reports later.
#include "com/handles.h"
#include "fsobjects/file.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP File::InitFolderName(const wchar_t* folder, BSTR name) {
  return location_.BindOnce([&](Location* here) {
    PlatformPath folderPart = ToPlatformPath(std::wstring_view(folder ? folder : L""));
    if (!folderPart) return ReportRefusedPath(ClassId(), folderPart);
    PlatformPath fileName = ToPlatformPath(name);
    if (!fileName) return ReportRefusedPath(ClassId(), fileName);
    if (!folderPart.text.empty() && !EndsWithSeparator(folderPart.text)) folderPart.text += '\\';
    here->folderPart = std::move(folderPart.text);
    here->name = std::move(fileName.text);
    here->path = here->folderPart + here->name;
    if (!FitsPath(here->path)) return ReportPathTooLong(ClassId());
    return Probe(here);
  });
}

STDMETHODIMP File::InitPath(BSTR path) {
  return location_.BindOnce([&](Location* here) {
    PlatformPath given = ToPlatformPath(path);
    if (!given) return ReportRefusedPath(ClassId(), given);
    // Without any backslash the whole text is the name, and the empty folder part lets the path
    // resolve against the current directory, as it does for every platform call.
    const size_t cut = LastSeparatorOf(given.text);
    const size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    here->folderPart = given.text.substr(0, nameStart);
    here->name = given.text.substr(nameStart);
    here->path = std::move(given.text);
    return Probe(here);
  });
}

HRESULT File::Probe(Location* here) {
  // Access 0 asks for nothing but the right to look at the file, so sharing rarely stands in
  // the way; only an outright refusal (also what a directory gets) still yields a usable File.
  com::UniqueFile probe(::CreateFileA(here->path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
  here->accessible = true;
  if (!probe) {
    if (::GetLastError() != ERROR_ACCESS_DENIED) return ReportLastError(ClassId());
    here->accessible = false;
  } else if (!probe.close()) {
    return ReportLastError(ClassId());
  }
  return S_OK;
}

// What the probe found; an object that stands for no file found nothing.
STDMETHODIMP File::get_Accessible(LONG* pAccessible) {
  DOCKET_RETURN_IF_NULL(pAccessible);
  *pAccessible = 0;
  return com::Guarded([&] {
    *pAccessible = location_.Peek().accessible ? 1 : 0;
    return S_OK;
  });
}

}  // namespace docket
