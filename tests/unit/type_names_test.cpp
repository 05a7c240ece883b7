// File.Type, File.MimeType and Folder.Type against extension keys this test registers itself (the
// test prefix is made without the components that register the usual ones). The extensions carry
// the process id, so that test processes running side by side never share a key.
#include "folder_test_support.h"

#include <cwctype>

namespace docket::test {
namespace {

// Keys under HKEY_CLASSES_ROOT, removed with their values when the test ends.
class ClassesRootKeys {
 public:
  ~ClassesRootKeys() {
    for (const std::wstring& key : keys_) ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  }
  void Set(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                &opened, nullptr),
              ERROR_SUCCESS);
    keys_.push_back(key);
    EXPECT_EQ(::RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    ::RegCloseKey(opened);
  }
  void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    Set(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

 private:
  std::vector<std::wstring> keys_;
};

struct TypeNamesTest : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  ClassesRootKeys keys;
  const std::wstring tag = L"dk" + std::to_wstring(::GetCurrentProcessId());
  const std::wstring fileClass = L"Docket.TestFile." + tag;

  // An extension of this test: .<tag><letter>
  std::wstring Ext(wchar_t letter) const { return L"." + tag + letter; }

  void SetUp() override {
    keys.SetText(fileClass, nullptr, L"Docket Test Page");
    keys.SetText(Ext('a'), nullptr, fileClass);                    // class and content type
    keys.SetText(Ext('a'), L"Content Type", L"text/x-docket");
    keys.SetText(Ext('b'), nullptr, fileClass);                    // class only
    keys.SetText(Ext('c'), L"Content Type", L"application/x-dk");  // content type only
    keys.SetText(Ext('d'), nullptr, L"Docket.NoSuchClass." + tag);  // a class without a key
    keys.SetText(Ext('e'), nullptr, std::wstring(255, L'n'));      // too long for 255 bytes
    keys.SetText(Ext('e'), L"Content Type", std::wstring(254, L'm'));
    const DWORD number = 7;
    keys.Set(Ext('f'), nullptr, REG_DWORD, &number, sizeof number);  // not a text
  }

  // Type and MimeType of a file made under `name`, each "<null>" when it is a null string.
  std::pair<std::wstring, std::wstring> NamesOf(const std::wstring& name) {
    WriteBytes(dir / name, "x");
    ComPtr<IFile> file;
    EXPECT_EQ(GetFileOf(manager.get(), dir / name, &file), S_OK);
    Bstr type, mime;
    EXPECT_EQ(file->get_Type(type.put()), S_OK);
    EXPECT_EQ(file->get_MimeType(mime.put()), S_OK);
    auto text = [](const Bstr& s) { return s.get() ? std::wstring(s.view()) : L"<null>"; };
    return {text(type), text(mime)};
  }
};

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

TEST_F(TypeNamesTest, FileNamesAnswerFromTheirExtensionsKeys) {
  const std::wstring page = L"Docket Test Page";
  const struct {
    std::wstring name, type, mime;
  } cases[] = {
      {L"page" + Ext('a'), page, L"text/x-docket"},
      {Upper(L"page" + Ext('a')), page, L"text/x-docket"},  // key names ignore case
      {L"archive.tar" + Ext('a'), page, L"text/x-docket"},  // the last full stop counts
      {Ext('a'), page, L"text/x-docket"},                   // a name that is all extension
      {L"README", L"<null>", L"<null>"},
      {L"a" + Ext('b'), page, L"<null>"},
      {L"a" + Ext('c'), L"<null>", L"application/x-dk"},
      {L"a" + Ext('d'), L"<null>", L"<null>"},
      {L"a" + Ext('e'), L"<null>", std::wstring(254, L'm')},  // 254 characters and the NUL fit
      {L"a" + Ext('f'), L"<null>", L"<null>"},
      {L"a" + Ext('a') + L".unregistered", L"<null>", L"<null>"},
      {L"ends.", L"<null>", L"<null>"},
  };
  for (const auto& c : cases) {
    const auto [type, mime] = NamesOf(c.name);
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(mime, c.mime) << c.name;
  }
}

TEST_F(TypeNamesTest, FolderTypeIsTheShellsNameWhileTheFolderExists) {
  ::CreateDirectoryW((dir / L"sub").c_str(), nullptr);
  ComPtr<IFolder> folder;
  ASSERT_EQ(GetFolderOf(manager.get(), dir / L"sub", &folder), S_OK);
  EXPECT_NE(TextOf(folder.get(), &IFolder::get_Type), L"");
  ASSERT_TRUE(::RemoveDirectoryW((dir / L"sub").c_str()));
  Bstr type;
  EXPECT_EQ(folder->get_Type(type.put()), S_OK);
  EXPECT_EQ(type.get(), nullptr);
}

}  // namespace
}  // namespace docket::test
