// The administrator's RegisterDLL switch, read once when the module is loaded: each case sets up
// the key, then loads a fresh copy of the module. The name starts with "Policy" so that the test
// run executes it alone (the key is machine-wide).
#include "support/registry_sandbox.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace docket::test {
namespace {

TEST(PolicyRegisterDll, OnlyAZeroReadAtLoadAllowsRegistration) {
  const struct {
    const char* name;
    std::function<void(std::optional<PolicyKey>&)> before, after;  // around the module's load
    bool refused;
  } cases[] = {
      {"no key", [](auto&) {}, [](auto&) {}, false},
      {"an empty key", [](auto& key) { key.emplace(); }, [](auto&) {}, true},
      {"zero", [](auto& key) { key.emplace().SetDword(L"DisableRegisterDLL", 0); }, [](auto&) {}, false},
      {"a zero too long to be taken",
       [](auto& key) { key.emplace().SetQword(L"DisableRegisterDLL", 0); }, [](auto&) {}, true},
      {"a key made after the load", [](auto&) {}, [](auto& key) { key.emplace(); }, false},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    std::optional<PolicyKey> key;
    c.before(key);
    auto module = LoadedModule::LoadCopy(dir.path());
    c.after(key);
    // A module that does not exist: refused by the policy, or failing to load.
    const HRESULT hr = NewManager(*module)->RegisterDLL(Bstr(dir / L"missing.dll").get(), VARIANT_TRUE);
    EXPECT_EQ(hr, c.refused ? E_ACCESSDENIED : Win32Code(ERROR_MOD_NOT_FOUND)) << c.name;
    EXPECT_EQ(TakeError().description, c.refused ? kPolicyRefusal : SystemText(ERROR_MOD_NOT_FOUND))
        << c.name;
  }
}

}  // namespace
}  // namespace docket::test
