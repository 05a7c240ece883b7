// The module under test, loaded from the build (DocketMod.dll beside the test program), and its
// entry points, to create its objects without the registry.
#pragma once

#include "com/com_ptr.h"
#include "com/win.h"
#include "module/init_interfaces.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace docket::test {

// A loaded copy of the module. The default one is loaded once per process; tests that need a
// fresh module start (such as the policy, read once at load) load a copy under another file name.
class LoadedModule {
 public:
  explicit LoadedModule(const std::wstring& path) : dll_(::LoadLibraryW(path.c_str())) {
    if (!dll_) throw std::runtime_error("cannot load the module under test");
  }
  ~LoadedModule() { ::FreeLibrary(dll_); }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  static LoadedModule& Default() {
    static LoadedModule module(BuiltModulePath());
    return module;
  }
  // A fresh instance: a copy of the built file under a new name in `folder`, loaded (and so
  // started, reading the policy) now.
  static std::unique_ptr<LoadedModule> LoadCopy(const std::wstring& folder) {
    static LONG copies = 0;
    const std::wstring path =
        folder + L"\\DocketModCopy" + std::to_wstring(::InterlockedIncrement(&copies)) + L".dll";
    if (!::CopyFileW(BuiltModulePath().c_str(), path.c_str(), FALSE))
      throw std::runtime_error("cannot copy the module under test");
    return std::make_unique<LoadedModule>(path);
  }
  static std::wstring BuiltModulePath() {
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"DocketMod.dll";
  }

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) const {
    return Export<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject")(clsid, iid, ppv);
  }
  HRESULT CanUnloadNow() const { return Export<HRESULT(WINAPI*)()>("DllCanUnloadNow")(); }
  HRESULT RegisterServer() const { return Export<HRESULT(WINAPI*)()>("DllRegisterServer")(); }
  HRESULT UnregisterServer() const { return Export<HRESULT(WINAPI*)()>("DllUnregisterServer")(); }
  HMODULE handle() const { return dll_; }

  // Creates an instance through the class object.
  template <class I>
  HRESULT Create(REFCLSID clsid, I** out) const {
    return CreateRaw(clsid, __uuidof(I), reinterpret_cast<void**>(out));
  }
  HRESULT CreateRaw(REFCLSID clsid, REFIID iid, void** out) const {
    com::ComPtr<IClassFactory> factory;
    const HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.put_void());
    return FAILED(hr) ? hr : factory->CreateInstance(nullptr, iid, out);
  }

 private:
  template <class Fn>
  Fn Export(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(dll_, name)));
  }
  HMODULE dll_;
};

}  // namespace docket::test
