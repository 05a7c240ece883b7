// New files in the folder, opened as streams. A file name with a backslash anywhere in it is a
// path of its own; any other name is taken inside this folder.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/folder.h"
#include "streams/binary_stream.h"
#include "streams/text_stream.h"

#include <string>

namespace docket {
namespace {

// The target is worked out on the UTF-16 text, where a backslash can't hide inside a
// double-byte character of the code page.
com::Bstr TargetPath(const std::string& folderPath, BSTR fileName) {
  const std::wstring_view name = com::View(fileName);
  if (name.find(L'\\') != name.npos) return com::Bstr(name);
  std::wstring target = com::FromAnsi(folderPath);
  if (target.empty() || target.back() != L'\\') target += L'\\';
  target += name;
  return com::Bstr(target);
}

}  // namespace

STDMETHODIMP Folder::CreateTextFile(BSTR FileName, VARIANT_BOOL Overwrite, VARIANT_BOOL Unicode,
                                    ITextStream** ppts) {
  if (!ppts) return E_POINTER;
  *ppts = nullptr;
  return WithPath([&](const std::string& path) {
    const com::Bstr target = TargetPath(path, FileName);
    return com::MakeChild<TextStream>(ppts, [&](TextStream& stream) {
      return stream.Create(target.get(), Overwrite, Unicode);
    });
  });
}

STDMETHODIMP Folder::CreateBinaryFile(BSTR FileName, VARIANT_BOOL Overwrite, IBinaryStream** ppbs) {
  if (!ppbs) return E_POINTER;
  *ppbs = nullptr;
  return WithPath([&](const std::string& path) {
    const com::Bstr target = TargetPath(path, FileName);
    return com::MakeChild<BinaryStream>(
        ppbs, [&](BinaryStream& stream) { return stream.Create(target.get(), Overwrite); });
  });
}

}  // namespace docket
