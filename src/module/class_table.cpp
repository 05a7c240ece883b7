#include "module/class_table.h"

#include "dictionary/dictionary.h"
#include "fsobjects/drive.h"
#include "fsobjects/drive_collection.h"
#include "fsobjects/file.h"
#include "fsobjects/file_collection.h"
#include "fsobjects/folder.h"
#include "fsobjects/folder_collection.h"
#include "manager/file_manager.h"
#include "streams/binary_stream.h"
#include "streams/text_stream.h"

#include <new>

namespace docket {
namespace {

// PermItem is deliberately absent: its objects are made only by permission enumerators.
ClassRow g_rows[] = {
    {&CLSID_FileManager, 101, &FileManager::CreateInstance, nullptr},
    {&CLSID_File, 102, &File::CreateInstance, nullptr},
    {&CLSID_Files, 103, &FileCollection::CreateInstance, nullptr},
    {&CLSID_Folder, 104, &Folder::CreateInstance, nullptr},
    {&CLSID_Dictionary, 105, &Dictionary::CreateInstance, nullptr},
    {&CLSID_Folders, 107, &FolderCollection::CreateInstance, nullptr},
    {&CLSID_Drive, 108, &Drive::CreateInstance, nullptr},
    {&CLSID_Drives, 109, &DriveCollection::CreateInstance, nullptr},
    {&CLSID_TextStream, 110, &TextStream::CreateInstance, nullptr},
    {&CLSID_BinaryStream, 111, &BinaryStream::CreateInstance, nullptr},
};

// The one lock of the object model: it serialises the lazy creation of class objects.
SRWLOCK g_classObjectLock = SRWLOCK_INIT;

}  // namespace

std::span<ClassRow> ClassTable() { return g_rows; }

ClassRow* FindClassRow(REFCLSID clsid) {
  for (ClassRow& row : g_rows)
    if (::IsEqualCLSID(*row.clsid, clsid)) return &row;
  return nullptr;
}

HRESULT ClassObjectFor(ClassRow& row, ClassFactory** factory) {
  ClassFactory* cached = static_cast<ClassFactory*>(
      ::InterlockedCompareExchangePointer(reinterpret_cast<void**>(&row.cachedFactory), nullptr,
                                          nullptr));
  if (!cached) {
    ::AcquireSRWLockExclusive(&g_classObjectLock);
    if (!row.cachedFactory) {
      ClassFactory* fresh = new (std::nothrow) ClassFactory(row.createInstance);
      ::InterlockedExchangePointer(reinterpret_cast<void**>(&row.cachedFactory), fresh);
    }
    cached = row.cachedFactory;
    ::ReleaseSRWLockExclusive(&g_classObjectLock);
  }
  *factory = cached;
  return cached ? S_OK : E_OUTOFMEMORY;
}

void ReleaseClassObjects() {
  for (ClassRow& row : g_rows) {
    if (ClassFactory* f = static_cast<ClassFactory*>(::InterlockedExchangePointer(
            reinterpret_cast<void**>(&row.cachedFactory), nullptr)))
      f->Release();
  }
}

}  // namespace docket
