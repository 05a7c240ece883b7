// Joining files: the sources, in argument order, written one after another into a destination.
// Every failure names the file it struck, and the destination keeps what was written before it.
#include "com/ansi.h"
#include "com/handles.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "module/error_report.h"

#include <vector>

namespace docket {
namespace {

constexpr DWORD kChunkBytes = 64 * 1024;

// The failed call's error, noted at once so that closing handles cannot change it, reported
// after the name of the file concerned.
HRESULT ReportFailureOn(REFCLSID reporter, const std::string& file, DWORD error) {
  return ReportSystemError(reporter, error, (file + ": ").c_str());
}

// Copies one source to its end. On failure, tells which side failed and why.
bool CopyToEnd(HANDLE source, HANDLE destination, std::vector<char>& buffer, bool* sourceFailed,
               DWORD* error) {
  for (;;) {
    DWORD read = 0;
    // A failed read is a failure, not an early end: stopping quietly would lose the rest of it.
    if (!::ReadFile(source, buffer.data(), kChunkBytes, &read, nullptr)) {
      *error = ::GetLastError();
      *sourceFailed = true;
      return false;
    }
    if (read == 0) return true;
    DWORD written = 0;
    if (!::WriteFile(destination, buffer.data(), read, &written, nullptr)) {
      *error = ::GetLastError();
      return false;
    }
    if (written != read) {
      *error = ERROR_DISK_FULL;
      return false;
    }
  }
}

}  // namespace

STDMETHODIMP FileManager::ConcatFiles(BSTR destName, BSTR file1, BSTR file2, BSTR file3,
                                      BSTR file4, BSTR file5) {
  return com::Guarded([&] {
    // The first two sources are required; of the optional ones, every one given is joined, in
    // order, also after one left empty.
    std::vector<std::string> names;
    for (BSTR given : {file1, file2, file3, file4, file5}) {
      if (names.size() >= 2 && com::View(given).empty()) continue;
      PlatformPath name = ToPlatformPath(given);
      if (!name) return ReportRefusedPath(ClassId(), name);
      names.push_back(std::move(name.text));
    }
    const PlatformPath target = ToPlatformPath(destName);
    if (!target) return ReportRefusedPath(ClassId(), target);

    // Every source is opened before the destination is touched, so a missing one changes nothing.
    std::vector<com::UniqueFile> sources;
    for (const std::string& name : names) {
      com::UniqueFile source(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!source) return ReportFailureOn(ClassId(), name, ::GetLastError());
      sources.push_back(std::move(source));
    }
    com::UniqueFile destination(::CreateFileA(target.text.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
    if (!destination) return ReportFailureOn(ClassId(), target.text, ::GetLastError());

    std::vector<char> buffer(kChunkBytes);
    for (size_t i = 0; i < sources.size(); ++i) {
      bool sourceFailed = false;
      DWORD error = 0;
      if (!CopyToEnd(sources[i].get(), destination.get(), buffer, &sourceFailed, &error))
        return ReportFailureOn(ClassId(), sourceFailed ? names[i] : target.text, error);
      if (!::FlushFileBuffers(destination.get()))
        return ReportFailureOn(ClassId(), target.text, ::GetLastError());
      sources[i].reset();
    }
    if (!destination.close()) return ReportFailureOn(ClassId(), target.text, ::GetLastError());
    return S_OK;
  });
}

}  // namespace docket
