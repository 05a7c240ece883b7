// The module under test, loaded from the build (bin/DocketMod.dll beside the test program), and
// helpers to create its objects without the registry.
#pragma once

#include "com/win.h"
#include "module/init_interfaces.h"

#include <memory>
#include <string>

namespace docket::test {

// A loaded copy of the module. The default one is loaded once per process; tests that need a
// fresh module start (such as the policy, read once at load) load a copy under another file name.
class LoadedModule {
 public:
  explicit LoadedModule(const std::wstring& path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  static LoadedModule& Default();
  // A fresh instance of the module: a copy of the built file under a new name in `folder`, loaded
  // (and so started, reading the policy) now.
  static std::unique_ptr<LoadedModule> LoadCopy(const std::wstring& folder);
  static std::wstring BuiltModulePath();

  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** ppv) const;
  HRESULT CanUnloadNow() const;
  HRESULT RegisterServer() const;
  HRESULT UnregisterServer() const;
  HMODULE handle() const { return dll_; }

  // Creates an instance through the class object.
  template <class I>
  HRESULT Create(REFCLSID clsid, I** out) const {
    return CreateRaw(clsid, __uuidof(I), reinterpret_cast<void**>(out));
  }
  HRESULT CreateRaw(REFCLSID clsid, REFIID iid, void** out) const;

 private:
  HMODULE dll_ = nullptr;
};

}  // namespace docket::test
