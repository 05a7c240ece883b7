// The accounts of the calling thread and of the process, on a thread that does not impersonate
// and on one that does.
#include "support/test_support.h"

namespace docket::test {
namespace {

// The process's account as the platform names it: <computer>\<user> (Wine: the Unix user).
std::wstring ProcessAccount() {
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1], user[256];
  DWORD computerSize = std::size(computer), userSize = std::size(user);
  EXPECT_TRUE(::GetComputerNameW(computer, &computerSize));
  EXPECT_TRUE(::GetUserNameW(user, &userSize));
  return std::wstring(computer) + L"\\" + user;
}

bool ThreadImpersonates() {
  HANDLE token = nullptr;
  if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return false;
  ::CloseHandle(token);
  return true;
}

// Wine's impersonation token of ImpersonateSelf names the process's account too, so what shows
// is whether the thread still impersonates after ProcessUser.
TEST(Identity, ProcessUserGivesAnImpersonatingThreadItsImpersonationBack) {
  ComPtr<IFileManager> manager = NewManager();
  for (const bool impersonating : {false, true}) {
    SCOPED_TRACE(impersonating ? "impersonating" : "not impersonating");
    if (impersonating) {
      ASSERT_TRUE(::ImpersonateSelf(SecurityImpersonation));
    }
    EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_CurrentUser), ProcessAccount());
    EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_ProcessUser), ProcessAccount());
    EXPECT_EQ(ThreadImpersonates(), impersonating);
  }
  ::RevertToSelf();
  EXPECT_EQ(manager->get_CurrentUser(nullptr), E_POINTER);
  EXPECT_EQ(manager->get_ProcessUser(nullptr), E_POINTER);
}

}  // namespace
}  // namespace docket::test
