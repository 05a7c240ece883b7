// RegisterDLL, and through it the error object every failure leaves: description, source and
// result code. (What a script sees through IDispatch is the argument sweep's.)
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace docket::test {
namespace {

HRESULT RegisterDll(const std::wstring& path, VARIANT_BOOL reg) {
  return NewManager()->RegisterDLL(Bstr(path).get(), reg);
}

std::wstring InSystemFolder(const std::wstring& name) {
  wchar_t system[MAX_PATH];
  ::GetSystemDirectoryW(system, MAX_PATH);
  return std::wstring(system) + L"\\" + name;
}

// The fixture module's DllRegisterServer fails and its DllUnregisterServer answers S_FALSE.
TEST(RegisterDll, EachFailureGivesItsCodeAndTextAndTheModuleIsUnloadedUnlessItSucceeded) {
  ScratchDir dir;
  WriteBytes(dir / L"text.dll", "not a module");
  std::wstring fixture = LoadedModule::BuiltModulePath();
  fixture.replace(fixture.rfind(L"DocketMod.dll"), std::wstring::npos, L"failing_registration.dll");
  const struct {
    std::wstring path;
    VARIANT_BOOL reg;
    HRESULT hr;
    std::wstring description;  // empty on success
  } cases[] = {
      {dir / L"missing.dll", VARIANT_TRUE, Win32Code(ERROR_MOD_NOT_FOUND), SystemText(ERROR_MOD_NOT_FOUND)},
      // The loader's error (bad format) has a text with an insert, which the lookup cannot fill:
      // the lookup's own failure is what is reported then.
      {dir / L"text.dll", VARIANT_TRUE, Win32Code(ERROR_INVALID_PARAMETER), L"Unknown Error"},
      {InSystemFolder(L"version.dll"), VARIANT_FALSE, Win32Code(ERROR_PROC_NOT_FOUND),
       SystemText(ERROR_PROC_NOT_FOUND)},
      {fixture, VARIANT_TRUE, DISP_E_EXCEPTION,
       L"Call to DllEntryPoint DllEntryPoint failed."},
      {fixture, VARIANT_FALSE, S_OK, L""},  // a positive result
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    const bool loadedBefore = ::GetModuleHandleW(c.path.c_str()) != nullptr;
    ClearError();
    EXPECT_EQ(RegisterDll(c.path, c.reg), c.hr);
    const ErrorFields error = TakeError();
    EXPECT_EQ(error.description, c.description) << "one line end removed";
    if (FAILED(c.hr)) EXPECT_EQ(error.source, L"Corvane.FileManager.1");
    EXPECT_EQ(::GetModuleHandleW(c.path.c_str()) != nullptr, loadedBefore || SUCCEEDED(c.hr));
  }
}

// Run by the smoke test while the module is unregistered: errors then carry no source.
TEST(UnregisteredModule, ErrorsCarryNoSource) {
  LPOLESTR progId = nullptr;
  if (SUCCEEDED(::ProgIDFromCLSID(CLSID_FileManager, &progId))) {
    ::CoTaskMemFree(progId);
    if (!::GetEnvironmentVariableW(L"DOCKET_EXPECT_UNREGISTERED", nullptr, 0))
      GTEST_SKIP() << "the module is registered";
    FAIL() << "the module is still registered";
  }
  ScratchDir dir;
  EXPECT_EQ(RegisterDll(dir / L"missing.dll", VARIANT_TRUE), Win32Code(ERROR_MOD_NOT_FOUND));
  const ErrorFields error = TakeError();
  EXPECT_EQ(error.description, SystemText(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(error.source, L"");
}

}  // namespace
}  // namespace docket::test
