// What DllRegisterServer writes and DllUnregisterServer removes, in a private HKEY_CLASSES_ROOT. The
// type library's registration also touches the machine's shared interface keys, so Registration tests
// run alone, and the module is registered again after them (scripts/test).
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

// Each class with its versioned and version-independent program identifiers (the File class's
// independent one is Docket.File; Corvane.File names none).
const struct ClassCase {
  const CLSID* clsid;
  const wchar_t *versioned, *independent;
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

const std::wstring kTypeLib = L"TypeLib\\{E7B62F41-82F4-11D2-BD41-00105A0A7E89}";

// Creation by program identifier is the smoke test's (stock regsvr32 and cscript); here, what it
// does not show: the threading model, the current version, the type library, unregistration.
TEST(Registration, RegisterWritesEveryClassForBothThreadingModelsAndUnregisterRemovesIt) {
  PrivateClassesRoot root;
  const LoadedModule& module = LoadedModule::Default();
  ASSERT_EQ(module.RegisterServer(), S_OK);
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(c.versioned);
    const std::wstring key = L"CLSID\\" + GuidText(*c.clsid);
    const auto server = ClassesRootValue(key + L"\\InprocServer32");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(::lstrcmpiW(server->c_str(), LoadedModule::BuiltModulePath().c_str()), 0) << *server;
    EXPECT_EQ(ClassesRootValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Both");
    EXPECT_EQ(ClassesRootValue(key + L"\\ProgID"), c.versioned);
    EXPECT_EQ(ClassesRootValue(key + L"\\TypeLib"), kTypeLib.substr(8));
    EXPECT_EQ(ClassesRootValue(std::wstring(c.versioned) + L"\\CLSID"), GuidText(*c.clsid));
    EXPECT_EQ(ClassesRootValue(std::wstring(c.independent) + L"\\CurVer"), c.versioned);
  }
  EXPECT_FALSE(ClassesRootKeyExists(L"CLSID\\" + GuidText(CLSID_PermItem)));
  EXPECT_TRUE(ClassesRootKeyExists(kTypeLib + L"\\1.0"));

  ASSERT_EQ(module.UnregisterServer(), S_OK);
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(c.versioned);
    for (const std::wstring& key :
         {L"CLSID\\" + GuidText(*c.clsid), std::wstring(c.versioned), std::wstring(c.independent)})
      EXPECT_FALSE(ClassesRootKeyExists(key)) << key;
  }
  EXPECT_TRUE(ClassesRootKeyExists(L"CLSID")) << "the shared CLSID key stays";
  EXPECT_FALSE(ClassesRootKeyExists(kTypeLib + L"\\1.0"));
  EXPECT_EQ(module.UnregisterServer(), S_OK) << "a second unregistration succeeds";

  // Through RegisterDLL: any value but zero registers, zero unregisters.
  const Bstr self(LoadedModule::BuiltModulePath());
  EXPECT_EQ(NewManager()->RegisterDLL(self.get(), 1), S_OK);
  EXPECT_TRUE(ClassesRootKeyExists(L"Corvane.FileManager.1"));
  EXPECT_EQ(NewManager()->RegisterDLL(self.get(), 0), S_OK);
  EXPECT_FALSE(ClassesRootKeyExists(L"Corvane.FileManager.1"));
}

}  // namespace
}  // namespace docket::test
