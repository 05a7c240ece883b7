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

struct ClassCase {
  const CLSID* clsid;
  const wchar_t* versioned;
  const wchar_t* independentKey;
  const wchar_t* description;
  const wchar_t* independentValue;
};

const ClassCase kClasses[] = {
    {&CLSID_FileManager, L"Corvane.FileManager.1", L"Corvane.FileManager", L"FileManager Class",
     L"Corvane.FileManager"},
    {&CLSID_File, L"Corvane.File.1", L"Docket.File", L"File Class", L"Corvane.File"},
    {&CLSID_Files, L"Docket.FileCollection.1", L"Docket.FileCollection", L"FileCollection Class",
     L"Docket.FileCollection"},
    {&CLSID_Folder, L"Docket.Folder.1", L"Docket.Folder", L"Folder Class", L"Docket.Folder"},
    {&CLSID_Dictionary, L"Docket.Dictionary.1", L"Docket.Dictionary", L"Dictionary Class",
     L"Docket.Dictionary"},
    {&CLSID_Folders, L"Docket.FolderCollection.1", L"Docket.FolderCollection",
     L"FolderCollection Class", L"Docket.FolderCollection"},
    {&CLSID_Drive, L"Docket.Drive.1", L"Docket.Drive", L"Drive Class", L"Docket.Drive"},
    {&CLSID_Drives, L"Docket.DriveCollection.1", L"Docket.DriveCollection",
     L"DriveCollection Class", L"Docket.DriveCollection"},
    {&CLSID_TextStream, L"Docket.TextStream.1", L"Docket.TextStream", L"TextStream Class",
     L"Docket.TextStream"},
    {&CLSID_BinaryStream, L"Docket.BinaryStream.1", L"Docket.BinaryStream", L"BinaryStream Class",
     L"Docket.BinaryStream"},
};

const wchar_t kTypeLib[] = L"{E7B62F41-82F4-11D2-BD41-00105A0A7E89}";

TEST(Registration, WritesEveryClassKeyProgIdAndTheTypeLibrary) {
  PrivateClassesRoot root;
  ASSERT_EQ(LoadedModule::Default().RegisterServer(), S_OK);
  const std::wstring modulePath = LoadedModule::BuiltModulePath();
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(c.versioned);
    const std::wstring key = L"CLSID\\" + GuidText(*c.clsid);
    EXPECT_EQ(ClassesRootValue(key), c.description);
    EXPECT_EQ(ClassesRootValue(key + L"\\ProgID"), c.versioned);
    EXPECT_EQ(ClassesRootValue(key + L"\\VersionIndependentProgID"), c.independentValue);
    EXPECT_TRUE(ClassesRootKeyExists(key + L"\\Programmable"));
    const auto server = ClassesRootValue(key + L"\\InprocServer32");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(::lstrcmpiW(server->c_str(), modulePath.c_str()), 0) << *server;
    EXPECT_EQ(ClassesRootValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Both");
    EXPECT_EQ(ClassesRootValue(key + L"\\TypeLib"), kTypeLib);

    EXPECT_EQ(ClassesRootValue(c.versioned), c.description);
    EXPECT_EQ(ClassesRootValue(std::wstring(c.versioned) + L"\\CLSID"), GuidText(*c.clsid));
    EXPECT_EQ(ClassesRootValue(c.independentKey), c.description);
    EXPECT_EQ(ClassesRootValue(std::wstring(c.independentKey) + L"\\CLSID"), GuidText(*c.clsid));
    EXPECT_EQ(ClassesRootValue(std::wstring(c.independentKey) + L"\\CurVer"), c.versioned);
  }
  // The File class is known as Corvane.File.1 and Docket.File only; PermItem is not registered.
  EXPECT_FALSE(ClassesRootKeyExists(L"Corvane.File"));
  EXPECT_FALSE(ClassesRootKeyExists(L"Docket.PermItem"));
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
    EXPECT_FALSE(ClassesRootKeyExists(c.independentKey));
  }
  EXPECT_TRUE(ClassesRootKeyExists(L"CLSID")) << "the shared CLSID key stays";
  EXPECT_FALSE(ClassesRootKeyExists(std::wstring(L"TypeLib\\") + kTypeLib + L"\\1.0"));
  EXPECT_EQ(LoadedModule::Default().UnregisterServer(), S_OK) << "a second unregistration succeeds";
}

TEST(TypeLibrary, IsTheModulesFirstResourceAndDescribesEveryClass) {
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(::LoadTypeLibEx(LoadedModule::BuiltModulePath().c_str(), REGKIND_NONE, lib.put()), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(::IsEqualGUID(attr->guid, LIBID_DOCKETLib));
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 0x409u);
  lib->ReleaseTLibAttr(attr);

  struct Coclass {
    const CLSID* clsid;
    const wchar_t* help;
    bool creatable;
  } coclasses[] = {
      {&CLSID_Dictionary, L"Dictionary Object", true},
      {&CLSID_FileManager, L"FileManager Class", true},
      {&CLSID_Drive, L"Drive Object", false},
      {&CLSID_Drives, L"Collection of drives associated with drive letters", false},
      {&CLSID_Folder, L"Folder object", false},
      {&CLSID_Folders, L"Collection of subfolders in a folder", false},
      {&CLSID_File, L"File object", false},
      {&CLSID_Files, L"Collection of files in a folder", false},
      {&CLSID_TextStream, L"TextStream Class", true},
      {&CLSID_BinaryStream, L"BinaryStream Class", true},
      {&CLSID_PermItem, L"PermItem Class", true},
  };
  for (const Coclass& c : coclasses) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(*c.clsid, info.put()), S_OK) << c.help;
    BSTR help = nullptr;
    info->GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr);
    EXPECT_STREQ(help, c.help);
    ::SysFreeString(help);
    TYPEATTR* type = nullptr;
    info->GetTypeAttr(&type);
    EXPECT_EQ((type->wTypeFlags & TYPEFLAG_FCANCREATE) != 0, c.creatable) << c.help;
    info->ReleaseTypeAttr(type);
  }
}

}  // namespace
}  // namespace docket::test
