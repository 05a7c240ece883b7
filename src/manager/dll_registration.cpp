// RegisterDLL: loads another in-process component into the server's process and calls its
// self-registration entry point, unless the administrator has switched this off.
#include "com/handles.h"
#include "fsobjects/file_path.h"
#include "manager/file_manager.h"
#include "module/error_report.h"
#include "module/policy.h"

namespace docket {

STDMETHODIMP FileManager::RegisterDLL(BSTR DLLFileName, VARIANT_BOOL Register) {
  if (Policy::RegisterDllDisabled()) return Policy::Refuse(ClassId());
  return com::Guarded([&]() -> HRESULT {
    const char* entryName = Register != 0 ? "DllRegisterServer" : "DllUnregisterServer";
    const PlatformPath path = ToPlatformPath(DLLFileName);
    if (!path) return ReportRefusedPath(ClassId(), path);
    // The module's own folder is searched for the modules it depends on.
    com::UniqueLibrary module(
        ::LoadLibraryExA(path.text.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (reinterpret_cast<ULONG_PTR>(module.get()) < 32) {
      module.release();
      return ReportLastError(ClassId());
    }
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<EntryPoint>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), entryName)));
    if (!entry) {
      const DWORD error = ::GetLastError();
      module.reset();  // unloads it again
      return ReportSystemError(ClassId(), error);
    }
    if (FAILED(entry())) {
      module.reset();
      return ReportError(ClassId(), L"Call to DllEntryPoint DllEntryPoint failed.", 0);
    }
    // Success leaves the module loaded in the process, one more load reference per call.
    module.release();
    return S_OK;
  });
}

}  // namespace docket
