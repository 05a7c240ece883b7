#include "support/docket_module.h"

#include "com/com_ptr.h"

#include <stdexcept>

namespace docket::test {
namespace {

template <class Fn>
Fn Export(HMODULE dll, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(dll, name)));
}

}  // namespace

LoadedModule::LoadedModule(const std::wstring& path) {
  dll_ = ::LoadLibraryW(path.c_str());
  if (!dll_) throw std::runtime_error("cannot load the module under test");
}

LoadedModule::~LoadedModule() {
  if (dll_) ::FreeLibrary(dll_);
}

LoadedModule& LoadedModule::Default() {
  static LoadedModule module(BuiltModulePath());
  return module;
}

std::unique_ptr<LoadedModule> LoadedModule::LoadCopy(const std::wstring& folder) {
  static LONG copies = 0;
  const std::wstring path = folder + L"\\DocketModCopy" +
                            std::to_wstring(::InterlockedIncrement(&copies)) + L".dll";
  if (!::CopyFileW(BuiltModulePath().c_str(), path.c_str(), FALSE))
    throw std::runtime_error("cannot copy the module under test");
  return std::make_unique<LoadedModule>(path);
}

std::wstring LoadedModule::BuiltModulePath() {
  wchar_t exe[MAX_PATH];
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe);
  path.resize(path.find_last_of(L'\\') + 1);
  return path + L"DocketMod.dll";
}

HRESULT LoadedModule::GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) const {
  using Fn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  return Export<Fn>(dll_, "DllGetClassObject")(clsid, iid, ppv);
}

HRESULT LoadedModule::CanUnloadNow() const {
  using Fn = HRESULT(WINAPI*)();
  return Export<Fn>(dll_, "DllCanUnloadNow")();
}

HRESULT LoadedModule::RegisterServer() const {
  using Fn = HRESULT(WINAPI*)();
  return Export<Fn>(dll_, "DllRegisterServer")();
}

HRESULT LoadedModule::UnregisterServer() const {
  using Fn = HRESULT(WINAPI*)();
  return Export<Fn>(dll_, "DllUnregisterServer")();
}

HRESULT LoadedModule::CreateRaw(REFCLSID clsid, REFIID iid, void** out) const {
  com::ComPtr<IClassFactory> factory;
  HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.put_void());
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, iid, out);
}

}  // namespace docket::test
