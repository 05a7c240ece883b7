// How a File comes to know its path: one of the two initialisations, each of which probes whether
// the file can be opened at all. The outcome of that probe is what Accessible reports later.
#include "com/ansi.h"
#include "com/handles.h"
#include "fsobjects/file.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {

STDMETHODIMP File::InitFolderName(const wchar_t* folder, BSTR name) {
  return com::Guarded([&] {
    std::string folderPart = com::ToAnsi(std::wstring_view(folder ? folder : L""));
    if (!folderPart.empty() && folderPart.back() != '\\') folderPart += '\\';
    std::string fileName = AnsiPathText(name);
    std::string path = folderPart + fileName;
    if (!FitsPath(path)) return ReportPathTooLong(ClassId());
    return Initialise(std::move(folderPart), std::move(fileName), std::move(path));
  });
}

STDMETHODIMP File::InitPath(BSTR path) {
  return com::Guarded([&] {
    std::optional<std::string> ansi = FittingAnsiPath(path);
    if (!ansi) return ReportPathTooLong(ClassId());
    // Without any backslash the whole text is the name, and the empty folder part lets the path
    // resolve against the current directory, as it does for every platform call.
    const size_t cut = ansi->find_last_of('\\');
    const size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    std::string folderPart = ansi->substr(0, nameStart);
    std::string name = ansi->substr(nameStart);
    return Initialise(std::move(folderPart), std::move(name), std::move(*ansi));
  });
}

HRESULT File::Initialise(std::string folderPart, std::string name, std::string path) {
  // Access 0 asks for nothing but the right to look at the file, so sharing rarely stands in
  // the way; only an outright refusal (also what a directory gets) still yields a usable File.
  com::UniqueFile probe(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  bool accessible = true;
  if (!probe) {
    if (::GetLastError() != ERROR_ACCESS_DENIED) return ReportLastError(ClassId());
    accessible = false;
  } else if (!probe.close()) {
    return ReportLastError(ClassId());
  }
  folderPart_ = std::move(folderPart);
  name_ = std::move(name);
  path_ = std::move(path);
  accessible_ = accessible;
  return S_OK;
}

STDMETHODIMP File::get_Accessible(LONG* pAccessible) {
  DOCKET_RETURN_IF_NULL(pAccessible);
  *pAccessible = accessible_ ? 1 : 0;
  return S_OK;
}

}  // namespace docket
