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

// The folder's path may change under a rename on another thread; it is read under the lock.
class SharedLock {
 public:
  explicit SharedLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockShared(&lock_); }
  ~SharedLock() { ::ReleaseSRWLockShared(&lock_); }
  SharedLock(const SharedLock&) = delete;
  SharedLock& operator=(const SharedLock&) = delete;

 private:
  SRWLOCK& lock_;
};

// The target is worked out on the UTF-16 text, where a backslash can't hide inside a
// double-byte character of the code page.
com::Bstr TargetPath(SRWLOCK& lock, const std::string& folderPath, BSTR fileName) {
  const std::wstring_view name = com::View(fileName);
  if (name.find(L'\\') != name.npos) return com::Bstr(name);
  std::wstring target;
  {
    SharedLock guard(lock);
    target = com::FromAnsi(folderPath);
  }
  if (target.empty() || target.back() != L'\\') target += L'\\';
  target += name;
  return com::Bstr(target);
}

}  // namespace

STDMETHODIMP Folder::CreateTextFile(BSTR FileName, VARIANT_BOOL Overwrite, VARIANT_BOOL Unicode,
                                    ITextStream** ppts) {
  if (!ppts) return E_POINTER;
  *ppts = nullptr;
  return com::Guarded([&] {
    const com::Bstr target = TargetPath(objectLock_, path_, FileName);
    return com::MakeChild<TextStream>(ppts, [&](TextStream& stream) {
      return stream.Create(target.get(), Overwrite, Unicode);
    });
  });
}

STDMETHODIMP Folder::CreateBinaryFile(BSTR FileName, VARIANT_BOOL Overwrite, IBinaryStream** ppbs) {
  if (!ppbs) return E_POINTER;
  *ppbs = nullptr;
  return com::Guarded([&] {
    const com::Bstr target = TargetPath(objectLock_, path_, FileName);
    return com::MakeChild<BinaryStream>(
        ppbs, [&](BinaryStream& stream) { return stream.Create(target.get(), Overwrite); });
  });
}

}  // namespace docket
