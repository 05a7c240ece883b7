// Account names of tokens and trustees, and the administrator's texts for accounts without one.
#include "security/account_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace docket::accounts {
namespace {

TEST(AccountNames, TokenIdentityAlwaysHasTheBackslashTrusteeOnlyWithADomain) {
  EXPECT_EQ(QualifiedName("HOST", "root"), "HOST\\root");
  EXPECT_EQ(QualifiedName("", "Everyone"), "\\Everyone");
  EXPECT_EQ(TrusteeName("BUILTIN", "Administrators"), "BUILTIN\\Administrators");
  EXPECT_EQ(TrusteeName("", "Everyone"), "Everyone");
}

// A registry stand-in that counts its reads.
struct Registry {
  std::map<std::string, std::string> values;
  int reads = 0;
  FallbackTexts::Reader reader() {
    return [this](const char* name) {
      ++reads;
      const auto it = values.find(name);
      return it == values.end() ? std::string() : it->second;
    };
  }
};

TEST(TrusteeText, FollowsTheLookupsOutcome) {
  Registry registry;
  registry.values = {{kDeletedValue, "(deleted)"}, {kUnknownValue, "(unknown)"}};
  FallbackTexts texts;
  const auto read = registry.reader();
  EXPECT_EQ(TrusteeText({0, 5, "NT AUTHORITY", "SYSTEM"}, texts, read), "NT AUTHORITY\\SYSTEM");
  EXPECT_EQ(TrusteeText({0, 5, "", "Everyone"}, texts, read), "Everyone");
  EXPECT_EQ(TrusteeText({0, kDeletedAccount, "HOST", "gone"}, texts, read), "(deleted)");
  EXPECT_EQ(TrusteeText({kNoneMapped, 0, "", ""}, texts, read), "(unknown)");
  EXPECT_EQ(TrusteeText({5, 0, "", ""}, texts, read), std::nullopt) << "other failures";
  EXPECT_EQ(registry.reads, 2);

  EXPECT_EQ(TrusteeText({kNoneMapped, 0, "", ""}, texts, read), "(unknown)");
  EXPECT_EQ(registry.reads, 2) << "a text read once serves the holder from then on";
}

TEST(TrusteeText, WithoutTheRegistryValuesIsEmptyAndReadAgainLater) {
  Registry registry;
  FallbackTexts texts;
  const auto read = registry.reader();
  EXPECT_EQ(TrusteeText({0, kDeletedAccount, "HOST", "gone"}, texts, read), "");
  EXPECT_EQ(TrusteeText({kNoneMapped, 0, "", ""}, texts, read), "");
  registry.values[kUnknownValue] = "set later";
  EXPECT_EQ(TrusteeText({kNoneMapped, 0, "", ""}, texts, read), "set later");
  EXPECT_EQ(registry.reads, 3);
}

TEST(RegistryText, EndsAtTheFirstTerminatorOrTheSize) {
  EXPECT_EQ(RegistryText("abc\0", 4), "abc");
  EXPECT_EQ(RegistryText("abcdef", 3), "abc") << "a value stored without terminator";
  EXPECT_EQ(RegistryText("a\0b", 3), "a");
  EXPECT_EQ(RegistryText(nullptr, 0), "");
}

}  // namespace
}  // namespace docket::accounts
