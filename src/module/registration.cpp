#include "module/registration.h"

#include "com/handles.h"
#include "com/module_state.h"

#include <array>
#include <string>

namespace docket {
namespace {

struct RegistrationScript {
  int id;
  const wchar_t* versionedKey;
  const wchar_t* independentKey;
  const wchar_t* description;
  const wchar_t* independentValue;  // the class key's VersionIndependentProgID
};

// Script 102 names its version-independent key Docket.File while the values under it and under
// the class key say Corvane.File: clients know the File class by Corvane.File.1 and Docket.File.
// Script 112 (PermItem) is kept with the others but no class-table row runs it.
constexpr std::array kScripts{
    RegistrationScript{101, L"Corvane.FileManager.1", L"Corvane.FileManager", L"FileManager Class",
                       L"Corvane.FileManager"},
    RegistrationScript{102, L"Corvane.File.1", L"Docket.File", L"File Class", L"Corvane.File"},
    RegistrationScript{103, L"Docket.FileCollection.1", L"Docket.FileCollection",
                       L"FileCollection Class", L"Docket.FileCollection"},
    RegistrationScript{104, L"Docket.Folder.1", L"Docket.Folder", L"Folder Class",
                       L"Docket.Folder"},
    RegistrationScript{105, L"Docket.Dictionary.1", L"Docket.Dictionary", L"Dictionary Class",
                       L"Docket.Dictionary"},
    RegistrationScript{107, L"Docket.FolderCollection.1", L"Docket.FolderCollection",
                       L"FolderCollection Class", L"Docket.FolderCollection"},
    RegistrationScript{108, L"Docket.Drive.1", L"Docket.Drive", L"Drive Class", L"Docket.Drive"},
    RegistrationScript{109, L"Docket.DriveCollection.1", L"Docket.DriveCollection",
                       L"DriveCollection Class", L"Docket.DriveCollection"},
    RegistrationScript{110, L"Docket.TextStream.1", L"Docket.TextStream", L"TextStream Class",
                       L"Docket.TextStream"},
    RegistrationScript{111, L"Docket.BinaryStream.1", L"Docket.BinaryStream",
                       L"BinaryStream Class", L"Docket.BinaryStream"},
    RegistrationScript{112, L"Docket.PermItem.1", L"Docket.PermItem", L"PermItem Class",
                       L"Docket.PermItem"},
};

constexpr const wchar_t* kTypeLibId = L"{E7B62F41-82F4-11D2-BD41-00105A0A7E89}";

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return text;
}

// Creates HKCR\path (and its parents) and sets its default value, or a named one, to `value`.
LONG SetValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  com::UniqueKey key;
  LONG err = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                               key.put(), nullptr);
  if (err != ERROR_SUCCESS) return err;
  return ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG CreateEmptyKey(const std::wstring& path) {
  com::UniqueKey key;
  return ::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                           key.put(), nullptr);
}

LONG Register(const RegistrationScript& s, REFCLSID clsid) {
  const std::wstring guid = GuidText(clsid);
  const std::wstring classKey = L"CLSID\\" + guid;
  const std::wstring versioned = s.versionedKey;
  const std::wstring independent = s.independentKey;
  const LONG steps[] = {
      SetValue(versioned, nullptr, s.description),
      SetValue(versioned + L"\\CLSID", nullptr, guid),
      SetValue(independent, nullptr, s.description),
      SetValue(independent + L"\\CLSID", nullptr, guid),
      SetValue(independent + L"\\CurVer", nullptr, versioned),
      SetValue(classKey, nullptr, s.description),
      SetValue(classKey + L"\\ProgID", nullptr, versioned),
      SetValue(classKey + L"\\VersionIndependentProgID", nullptr, s.independentValue),
      CreateEmptyKey(classKey + L"\\Programmable"),
      SetValue(classKey + L"\\InprocServer32", nullptr, com::ModuleState::Path()),
      SetValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Both"),
      SetValue(classKey + L"\\TypeLib", nullptr, kTypeLibId),
  };
  for (LONG err : steps)
    if (err != ERROR_SUCCESS) return err;
  return ERROR_SUCCESS;
}

void Unregister(const RegistrationScript& s, REFCLSID clsid) {
  // The shared CLSID key stays; only this class's keys go.
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(clsid)).c_str());
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, s.versionedKey);
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, s.independentKey);
}

}  // namespace

HRESULT RunRegistrationScript(int script, REFCLSID clsid, bool reg) {
  for (const RegistrationScript& s : kScripts) {
    if (s.id != script) continue;
    if (!reg) {
      Unregister(s, clsid);
      return S_OK;
    }
    const LONG err = Register(s, clsid);
    return err == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(err);
  }
  return E_INVALIDARG;
}

}  // namespace docket
