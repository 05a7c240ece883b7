// What DllRegisterServer writes and DllUnregisterServer removes, checked in a private
// HKEY_CLASSES_ROOT. The private root does not cover everything: the platform's type-library
// registration also writes and removes the interfaces' keys of the 32-bit view of the machine's
// registry, which is shared with every other test. So the tests that register (their suite
// names start "Registration") run one at a time, alone, and the module is registered again after
// them (scripts/test).
#include "support/registry_sandbox.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace docket::test {
namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  ::StringFromGUID2(guid, text, 40);
  return text;
}

// Each class's identifier and its versioned and version-independent program identifiers (the
// File class's independent one is Docket.File; Corvane.File names none).
const struct ClassCase {
  const CLSID* clsid;
  const wchar_t* versioned;
  const wchar_t* independent;
} kClasses[] = {
    {&CLSID_FileManager, L"Corvane.FileManager.1", L"Corvane.FileManager"},
    {&CLSID_File, L"Corvane.File.1", L"Docket.File"},
    {&CLSID_Files, L"Docket.FileCollection.1", L"Docket.FileCollection"},
    {&CLSID_Folder, L"Docket.Folder.1", L"Docket.Folder"},
    {&CLSID_Dictionary, L"Docket.Dictionary.1", L"Docket.Dictionary"},
    {&CLSID_Folders, L"Docket.FolderCollection.1", L"Docket.FolderCollection"},
    {&CLSID_Drive, L"Docket.Drive.1", L"Docket.Drive"},
    {&CLSID_Drives, L"Docket.DriveCollection.1", L"Docket.DriveCollection"},
    {&CLSID_TextStream, L"Docket.TextStream.1", L"Docket.TextStream"},
    {&CLSID_BinaryStream, L"Docket.BinaryStream.1", L"Docket.BinaryStream"},
};

const wchar_t kTypeLib[] = L"{E7B62F41-82F4-11D2-BD41-00105A0A7E89}";

// Creation by program identifier is checked through the stock regsvr32 and cscript (the smoke
// test); here, what they do not show: the threading model, the current version, the type library.
TEST(Registration, WritesEveryClassAsAnInProcessServerForBothThreadingModels) {
  PrivateClassesRoot root;
  ASSERT_EQ(LoadedModule::Default().RegisterServer(), S_OK);
  const std::wstring modulePath = LoadedModule::BuiltModulePath();
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(c.versioned);
    const std::wstring key = L"CLSID\\" + GuidText(*c.clsid);
    const auto server = ClassesRootValue(key + L"\\InprocServer32");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(::lstrcmpiW(server->c_str(), modulePath.c_str()), 0) << *server;
    EXPECT_EQ(ClassesRootValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Both");
    EXPECT_EQ(ClassesRootValue(key + L"\\ProgID"), c.versioned);
    EXPECT_EQ(ClassesRootValue(key + L"\\TypeLib"), kTypeLib);
    EXPECT_EQ(ClassesRootValue(std::wstring(c.versioned) + L"\\CLSID"), GuidText(*c.clsid));
    EXPECT_EQ(ClassesRootValue(std::wstring(c.independent) + L"\\CurVer"), c.versioned);
  }
  EXPECT_FALSE(ClassesRootKeyExists(L"CLSID\\" + GuidText(CLSID_PermItem)));
  EXPECT_TRUE(ClassesRootKeyExists(std::wstring(L"TypeLib\\") + kTypeLib + L"\\1.0"));
}

TEST(Registration, UnregisterRemovesExactlyWhatRegisterWrote) {
  PrivateClassesRoot root;
  ASSERT_EQ(LoadedModule::Default().RegisterServer(), S_OK);
  ASSERT_EQ(LoadedModule::Default().UnregisterServer(), S_OK);
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(c.versioned);
    EXPECT_FALSE(ClassesRootKeyExists(L"CLSID\\" + GuidText(*c.clsid)));
    EXPECT_FALSE(ClassesRootKeyExists(c.versioned));
    EXPECT_FALSE(ClassesRootKeyExists(c.independent));
  }
  EXPECT_TRUE(ClassesRootKeyExists(L"CLSID")) << "the shared CLSID key stays";
  EXPECT_FALSE(ClassesRootKeyExists(std::wstring(L"TypeLib\\") + kTypeLib + L"\\1.0"));
  EXPECT_EQ(LoadedModule::Default().UnregisterServer(), S_OK) << "a second unregistration succeeds";
}

}  // namespace
}  // namespace docket::test
