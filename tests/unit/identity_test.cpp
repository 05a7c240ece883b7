// The accounts of the calling thread and of the process, on a thread that impersonates and on one
// that does not; and the members that would log on, revert or edit access lists, which are not
// provided.
#include "permission_test_support.h"

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

TEST(Identity, ThreadAndProcessAccountsWithoutImpersonation) {
  ComPtr<IFileManager> manager = NewManager();
  ASSERT_FALSE(ThreadImpersonates());
  EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_CurrentUser), ProcessAccount());
  EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_ProcessUser), ProcessAccount());
  EXPECT_FALSE(ThreadImpersonates());
  EXPECT_EQ(manager->get_CurrentUser(nullptr), E_POINTER);
  EXPECT_EQ(manager->get_ProcessUser(nullptr), E_POINTER);
}

// ProcessUser sets the thread's impersonation aside only while it reads the process's token.
TEST(Identity, ProcessUserGivesTheThreadItsImpersonationBack) {
  ComPtr<IFileManager> manager = NewManager();
  ASSERT_TRUE(::ImpersonateSelf(SecurityImpersonation));
  EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_CurrentUser), ProcessAccount())
      << "the impersonation token's account";
  EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_ProcessUser), ProcessAccount());
  EXPECT_TRUE(ThreadImpersonates()) << "the page must not go on as the server's account";
  EXPECT_EQ(TextOf(manager.get(), &IFileManager::get_CurrentUser), ProcessAccount());
  ::RevertToSelf();
}

TEST(Identity, LogonUserAndRevertToSelfAreNotProvided) {
  ComPtr<IFileManager> manager = NewManager();
  const Bstr domain(L"HOST"), user(L"user"), password(L"secret");
  LONG success = 12345;
  EXPECT_EQ(manager->LogonUser(domain.get(), user.get(), password.get(), QFLOGON_NETWORK, &success),
            E_NOTIMPL);
  EXPECT_EQ(success, 12345);
  EXPECT_EQ(manager->RevertToSelf(), E_NOTIMPL);
}

// The members that would change an item's list or owner answer E_NOTIMPL and write nothing.
TEST(AclEditing, IsNotProvidedOnFilesAndFolders) {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  WriteBytes(dir / L"a.txt", "a");
  ComPtr<IFile> file;
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFileOf(manager.get(), dir / L"a.txt", &file), S_OK);
  ASSERT_EQ(GetFolderOf(manager.get(), dir.path(), &folder), S_OK);
  const Bstr account(L"Everyone");
  BSTR owner = reinterpret_cast<BSTR>(0x1234);
  IDispatch* permissions = reinterpret_cast<IDispatch*>(0x5678);
  LONG accessible = 9;
  const HRESULT answers[] = {
      file->AllowAccess(account.get(), QFFull), file->DenyAccess(account.get(), QFRead),
      file->RevokeAllowance(account.get()), file->RevokeDenial(account.get()),
      file->get_Owner(&owner), file->put_Owner(account.get()),
      file->get_Permissions(&permissions), file->OrderPermissions(),
      folder->AllowAccess(account.get(), QFFull, QFDirFileRights),
      folder->DenyAccess(account.get(), QFRead), folder->RevokeAllowance(account.get()),
      folder->RevokeDenial(account.get()), folder->get_Owner(&owner),
      folder->put_Owner(account.get()), folder->get_Permissions(&permissions),
      folder->OrderPermissions(), folder->get_Accessible(&accessible)};
  for (size_t i = 0; i < std::size(answers); ++i) EXPECT_EQ(answers[i], E_NOTIMPL) << "member " << i;
  EXPECT_EQ(owner, reinterpret_cast<BSTR>(0x1234));
  EXPECT_EQ(permissions, reinterpret_cast<IDispatch*>(0x5678));
  EXPECT_EQ(accessible, 9);
}

}  // namespace
}  // namespace docket::test
