// Helpers of the folder tests: a service object, folders made through it, and trees on disk.
#pragma once

#include "support/test_support.h"

#include <string>

namespace docket::test {

ComPtr<IFileManager> NewManager(const LoadedModule& module = LoadedModule::Default());

// FileManager.GetFolder; the error object the call left stays on the thread.
HRESULT GetFolder(IFileManager* manager, const std::wstring& path, ComPtr<IFolder>* folder);

std::wstring PathOf(IFolder* folder);
std::wstring NameOf(IFolder* folder);
// The path of the folder's ParentFolder; "" when it has none.
std::wstring ParentPathOf(IFolder* folder);

// Makes `path` the process's current directory until destroyed.
class CurrentDirectoryChange {
 public:
  explicit CurrentDirectoryChange(const std::wstring& path);
  ~CurrentDirectoryChange();
  CurrentDirectoryChange(const CurrentDirectoryChange&) = delete;
  CurrentDirectoryChange& operator=(const CurrentDirectoryChange&) = delete;

 private:
  wchar_t saved_[MAX_PATH] = {};
};

void MakeDir(const std::wstring& path);
void SetReadOnly(const std::wstring& path);

// What the failing call left: its code and the description on the thread.
struct Failure {
  HRESULT hr;
  std::wstring description;
};
inline Failure Failed(HRESULT hr) { return {hr, TakeError().description}; }
inline bool operator==(const Failure& a, const Failure& b) {
  return a.hr == b.hr && a.description == b.description;
}
// A system error as the module reports it.
inline Failure SystemFailure(DWORD error) { return {Win32Code(error), SystemText(error)}; }
// One of the module's own messages, reported without a code.
inline Failure MessageFailure(const wchar_t* text) { return {DISP_E_EXCEPTION, text}; }
void PrintTo(const Failure& failure, std::ostream* out);

}  // namespace docket::test
