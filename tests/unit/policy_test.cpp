// The administrator's switches, read once when the module is loaded. Each test loads a fresh
// copy of the module after setting up the key; the tests' names start with "Policy" so that the
// test run executes them alone (the key is machine-wide).
#include "support/registry_sandbox.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace docket::test {
namespace {

// RegisterDLL of a module that does not exist: refused by the policy, or failing to load.
HRESULT RegisterMissingModule(const LoadedModule& module, const ScratchDir& dir) {
  Bstr missing(dir / L"no-such-module.dll");
  return NewManager(module)->RegisterDLL(missing.get(), VARIANT_TRUE);
}

void ExpectRefused(HRESULT hr) {
  EXPECT_EQ(hr, E_ACCESSDENIED);
  EXPECT_EQ(TakeError().description, kPolicyRefusal);
}

void ExpectLoadAttempted(HRESULT hr) {
  EXPECT_EQ(hr, Win32Code(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(TakeError().description, SystemText(ERROR_MOD_NOT_FOUND));
}

TEST(PolicyRegisterDll, NoKeyRefusesNothing) {
  ScratchDir dir;
  auto module = LoadedModule::LoadCopy(dir.path());
  ExpectLoadAttempted(RegisterMissingModule(*module, dir));
}

TEST(PolicyRegisterDll, EmptyKeyRefusesRegistrationOnly) {
  ScratchDir dir;
  PolicyKey key;
  auto module = LoadedModule::LoadCopy(dir.path());
  ExpectRefused(RegisterMissingModule(*module, dir));
}

TEST(PolicyRegisterDll, ExplicitZeroAllowsIt) {
  ScratchDir dir;
  PolicyKey key;
  key.SetDword(L"DisableRegisterDLL", 0);
  auto module = LoadedModule::LoadCopy(dir.path());
  ExpectLoadAttempted(RegisterMissingModule(*module, dir));
}

TEST(PolicyRegisterDll, EightByteValueCountsAsUnreadable) {
  ScratchDir dir;
  PolicyKey key;
  key.SetQword(L"DisableRegisterDLL", 0);  // a zero, but too long to be taken
  auto module = LoadedModule::LoadCopy(dir.path());
  ExpectRefused(RegisterMissingModule(*module, dir));
}

TEST(PolicyRegisterDll, IsReadOnceWhenTheModuleLoads) {
  ScratchDir dir;
  auto module = LoadedModule::LoadCopy(dir.path());
  PolicyKey key;  // appears after the module started: no effect on it
  ExpectLoadAttempted(RegisterMissingModule(*module, dir));
}

}  // namespace
}  // namespace docket::test
