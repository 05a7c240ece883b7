// File.Type and File.MimeType against extension keys this test registers in a private
// HKEY_CLASSES_ROOT of its process (the test prefix is made without the components that register
// the usual ones), and Folder.Type from the shell.
#include "folder_test_support.h"
#include "support/registry_sandbox.h"

namespace docket::test {
namespace {

struct TypeNames : ManagerTest {};

TEST_F(TypeNames, FileNamesAnswerFromTheirExtensionsKeys) {
  PrivateClassesRoot classes;
  const struct {
    const wchar_t *key, *name;
    std::wstring text;
  } values[] = {
      {L"Docket.TestPage", nullptr, L"Docket Test Page"},
      {L".dka", nullptr, L"Docket.TestPage"},  // class and content type
      {L".dka", L"Content Type", L"text/x-docket"},
      {L".dkb", nullptr, L"Docket.TestPage"},  // class only
      {L".dkc", L"Content Type", L"application/x-dk"},  // content type only
      {L".dkd", nullptr, L"Docket.NoSuchClass"},
      {L".dke", nullptr, std::wstring(255, L'n')},  // too long for 255 bytes
      {L".dke", L"Content Type", std::wstring(254, L'm')},
  };
  for (const auto& v : values)
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, v.key, v.name, REG_SZ, v.text.c_str(),
                                static_cast<DWORD>((v.text.size() + 1) * sizeof(wchar_t))), ERROR_SUCCESS);
  const DWORD number = 7;  // not a text
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CLASSES_ROOT, L".dkf", nullptr, REG_DWORD, &number, sizeof number), ERROR_SUCCESS);

  const std::wstring page = L"Docket Test Page", none = L"<null>";
  const struct {
    const wchar_t* name;
    std::wstring type, mime;
  } cases[] = {
      {L"page.dka", page, L"text/x-docket"},
      {L"PAGE.DKA", page, L"text/x-docket"},         // key names ignore case
      {L"archive.tar.dka", page, L"text/x-docket"},  // the last full stop counts
      {L".dka", page, L"text/x-docket"},             // a name that is all extension
      {L"README", none, none},
      {L"a.dkb", page, none},
      {L"a.dkc", none, L"application/x-dk"},
      {L"a.dkd", none, none},
      {L"a.dke", none, std::wstring(254, L'm')},  // 254 characters and the NUL fit
      {L"a.dkf", none, none},
      {L"a.dka.unregistered", none, none},
      {L"ends.", none, none},
  };
  auto text = [&](const Bstr& s) { return s.get() ? std::wstring(s.view()) : none; };
  for (const auto& c : cases) {
    WriteBytes(dir / c.name, "x");
    ComPtr<IFile> file = FileAt(dir / c.name);
    Bstr type, mime;
    EXPECT_TRUE(file->get_Type(type.put()) == S_OK && file->get_MimeType(mime.put()) == S_OK) << c.name;
    EXPECT_EQ(text(type) + L" | " + text(mime), c.type + L" | " + c.mime) << c.name;
  }
}

TEST_F(TypeNames, FolderTypeIsTheShellsNameWhileTheFolderExists) {
  ::CreateDirectoryW((dir / L"sub").c_str(), nullptr);
  ComPtr<IFolder> folder = FolderAt(dir / L"sub");
  EXPECT_NE(TextOf(folder.get(), &IFolder::get_Type), L"");
  ASSERT_TRUE(::RemoveDirectoryW((dir / L"sub").c_str()));
  Bstr type;
  EXPECT_EQ(folder->get_Type(type.put()), S_OK);
  EXPECT_EQ(type.get(), nullptr);
}

}  // namespace
}  // namespace docket::test
