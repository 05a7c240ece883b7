// The accounts of the calling thread and of the process, on a thread that does not impersonate
// and on one that does.
#include "support/test_support.h"

namespace docket::test {
namespace {

// Wine's impersonation token of ImpersonateSelf names the process's account too, so what shows
// is whether the thread still impersonates after ProcessUser.
TEST(Identity, ProcessUserGivesAnImpersonatingThreadItsImpersonationBack) {
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1], user[256];
  DWORD computerSize = std::size(computer), userSize = std::size(user);
  ASSERT_TRUE(::GetComputerNameW(computer, &computerSize) && ::GetUserNameW(user, &userSize));
  const std::wstring account = std::wstring(computer) + L"\\" + user;  // Wine: the Unix user
  ComPtr<IFileManager> manager = NewManager();
  for (const bool impersonating : {false, true}) {
    SCOPED_TRACE(impersonating ? "impersonating" : "not impersonating");
    if (impersonating) { ASSERT_TRUE(::ImpersonateSelf(SecurityImpersonation)); }
    EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_CurrentUser), account);
    EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_ProcessUser), account);
    HANDLE token = nullptr;
    EXPECT_EQ(::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token) != FALSE, impersonating);
    if (token) ::CloseHandle(token);
  }
  ::RevertToSelf();
  EXPECT_EQ(manager->get_CurrentUser(nullptr), E_POINTER);
}

}  // namespace
}  // namespace docket::test
