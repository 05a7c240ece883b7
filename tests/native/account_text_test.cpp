// Account names of tokens and trustees, and the administrator's texts for accounts without one.
#include "security/account_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace docket::accounts {
namespace {

// A token's identity always has the backslash, a trustee's only with a domain.
TEST(AccountNames, QualifiedTrusteeAndRegistryTexts) {
  EXPECT_EQ(QualifiedName("", "Everyone"), "\\Everyone");
  EXPECT_EQ(TrusteeName("", "Everyone"), "Everyone");
  EXPECT_EQ(TrusteeName("BUILTIN", "Administrators"), "BUILTIN\\Administrators");
  EXPECT_EQ(RegistryText("abc\0", 4), "abc");
  EXPECT_EQ(RegistryText("abcdef", 3), "abc") << "a value stored without terminator";
  EXPECT_EQ(RegistryText(nullptr, 0), "");
}

TEST(TrusteeText, FollowsTheLookupAndReadsEachTextUntilItIsSet) {
  std::map<std::string, std::string> registry = {{kDeletedValue, "(deleted)"}};
  int reads = 0;
  const FallbackTexts::Reader read = [&](const char* name) { return ++reads, registry[name]; };
  FallbackTexts texts;
  EXPECT_EQ(TrusteeText({0, 1, "HOST", "user"}, texts, read), "HOST\\user");
  EXPECT_EQ(TrusteeText({0, kDeletedAccount, "HOST", "gone"}, texts, read), "(deleted)");
  EXPECT_EQ(TrusteeText({0, kDeletedAccount, "HOST", "gone"}, texts, read), "(deleted)");
  EXPECT_EQ(reads, 1) << "a text read is kept";
  EXPECT_EQ(TrusteeText({kNoneMapped, 0, "", ""}, texts, read), "") << "without the value";
  registry[kUnknownValue] = "(unknown)";
  EXPECT_EQ(TrusteeText({kNoneMapped, 0, "", ""}, texts, read), "(unknown)");
  EXPECT_EQ(reads, 3) << "an empty text is read again";
  EXPECT_EQ(TrusteeText({5, 0, "", ""}, texts, read), std::nullopt) << "other failures";
}

}  // namespace
}  // namespace docket::accounts
