// RegisterDLL, and through it the error object every failure leaves: description, source and
// result code, directly and as a script sees them through IDispatch.
#include "support/registry_sandbox.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace docket::test {
namespace {

HRESULT RegisterDll(const std::wstring& path, VARIANT_BOOL reg) {
  Bstr name(path);
  return NewManager()->RegisterDLL(name.get(), reg);
}

TEST(RegisterDll, MissingModuleGivesTheSystemErrorWithTheRegisteredSource) {
  ScratchDir dir;
  ClearError();
  EXPECT_EQ(RegisterDll(dir / L"missing.dll", VARIANT_TRUE), Win32Code(ERROR_MOD_NOT_FOUND));
  const ErrorFields error = TakeError();
  ASSERT_TRUE(error.present);
  EXPECT_EQ(error.description, SystemText(ERROR_MOD_NOT_FOUND)) << "one line end removed";
  EXPECT_EQ(error.source, L"Corvane.FileManager.1");

  // As a script sees it, through IDispatch; the second argument is optional and registers.
  ComPtr<IDispatch> manager;
  ASSERT_EQ(NewManager().As(&manager), S_OK);
  const CallResult call = CallByName(manager.get(), L"RegisterDLL", DISPATCH_METHOD,
                                     {VBstr((dir / L"missing.dll").c_str())});
  EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.scode, Win32Code(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(call.description, SystemText(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(call.source, L"Corvane.FileManager.1");
}

TEST(RegisterDll, FileThatIsNoModuleFailsInTheLoader) {
  ScratchDir dir;
  WriteBytes(dir / L"text.dll", "not a module");
  const HRESULT hr = RegisterDll(dir / L"text.dll", VARIANT_TRUE);
  // The loader's error (bad format) has a text with an insert, which the lookup cannot fill:
  // the lookup's own failure is what is reported then.
  EXPECT_EQ(hr, Win32Code(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(TakeError().description, L"Unknown Error");
}

TEST(RegisterDll, ModuleWithoutTheEntryPointIsUnloadedAgain) {
  wchar_t system[MAX_PATH];
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring plain = std::wstring(system) + L"\\version.dll";
  const bool loadedBefore = ::GetModuleHandleW(plain.c_str()) != nullptr;
  EXPECT_EQ(RegisterDll(plain, VARIANT_FALSE), Win32Code(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(TakeError().description, SystemText(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(::GetModuleHandleW(plain.c_str()) != nullptr, loadedBefore);
}

// Registers the module itself: a Registration test (see registration_test.cpp).
TEST(RegistrationThroughRegisterDll, AnyNonZeroValueRegistersAndZeroUnregisters) {
  PrivateClassesRoot root;
  const std::wstring self = LoadedModule::BuiltModulePath();
  EXPECT_EQ(RegisterDll(self, 1), S_OK);
  EXPECT_TRUE(ClassesRootKeyExists(L"Corvane.FileManager.1"));
  EXPECT_EQ(RegisterDll(self, 0), S_OK);
  EXPECT_FALSE(ClassesRootKeyExists(L"Corvane.FileManager.1"));
}

std::wstring FixturePath() {
  std::wstring path = LoadedModule::BuiltModulePath();
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"failing_registration.dll";
}

TEST(RegisterDll, FailingEntryPointGivesTheFixedMessageAndUnloads) {
  EXPECT_EQ(RegisterDll(FixturePath(), VARIANT_TRUE), DISP_E_EXCEPTION);
  EXPECT_EQ(TakeError().description, L"Call to DllEntryPoint DllEntryPoint failed.");
  EXPECT_EQ(::GetModuleHandleW(FixturePath().c_str()), nullptr);
}

TEST(RegisterDll, PositiveEntryPointResultIsSuccessAndStaysLoaded) {
  EXPECT_EQ(RegisterDll(FixturePath(), VARIANT_FALSE), S_OK);
  EXPECT_NE(::GetModuleHandleW(FixturePath().c_str()), nullptr);
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
