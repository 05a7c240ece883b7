// Private initialisation interfaces: a parent hands each new child object its path or data
// through one of these, once, before the caller sees the object. They are in neither the type
// library nor the registry.
#pragma once

#include "com/win.h"

struct IFileInit : IUnknown {
  // folder: a wide string (a backslash is added when it does not end in one); name: the file name.
  virtual HRESULT STDMETHODCALLTYPE InitFolderName(const wchar_t* folder, BSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE InitPath(BSTR path) = 0;
};
__CRT_UUID_DECL(IFileInit, 0x0BD989F1, 0x8926, 0x11D2, 0xBD, 0x46, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

struct IFolderInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE InitPath(BSTR path) = 0;
};
__CRT_UUID_DECL(IFolderInit, 0x0BD989F7, 0x8926, 0x11D2, 0xBD, 0x46, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

// Gives a File's or Folder's security holder a discretionary list to keep in place of the one the
// item has on disk (the holder takes a copy; null stands for an item without a list). The item's
// enumerators then walk that list, and its entries' RemoveEntry works on it. For callers that
// hold a list already: the unit tests hand over lists that their platform cannot produce.
struct IItemAclInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE UseAcl(const ACL* acl) = 0;
};
__CRT_UUID_DECL(IItemAclInit, 0x79CC2F48, 0xFB05, 0x4CA5, 0xA2, 0x53, 0x84, 0xD7, 0x97, 0x24, 0xED, 0xDB)

// The collections' Add hands both variants to the inner Dictionary's Add.
struct IFileCollectionInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Add(VARIANT* key, VARIANT* item) = 0;
};
__CRT_UUID_DECL(IFileCollectionInit, 0x0BD989F5, 0x8926, 0x11D2, 0xBD, 0x46, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

struct IFolderCollectionInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Add(VARIANT* key, VARIANT* item) = 0;
};
__CRT_UUID_DECL(IFolderCollectionInit, 0x0BD989F9, 0x8926, 0x11D2, 0xBD, 0x46, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

struct IDriveInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Init(BSTR spec) = 0;
};
__CRT_UUID_DECL(IDriveInit, 0xBC6ED8E3, 0xA4D8, 0x11D2, 0xBD, 0x73, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

struct IDriveCollectionInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Add(VARIANT* key, VARIANT* item) = 0;
};
__CRT_UUID_DECL(IDriveCollectionInit, 0xBC6ED8E5, 0xA4D8, 0x11D2, 0xBD, 0x73, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

struct ITextStreamInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Create(BSTR fileName, VARIANT_BOOL overwrite,
                                           VARIANT_BOOL unicode) = 0;
  virtual HRESULT STDMETHODCALLTYPE Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create,
                                         LONG format) = 0;
};
__CRT_UUID_DECL(ITextStreamInit, 0xBC6ED8E9, 0xA4D8, 0x11D2, 0xBD, 0x73, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)

struct IBinaryStreamInit : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Create(BSTR fileName, VARIANT_BOOL overwrite) = 0;
  virtual HRESULT STDMETHODCALLTYPE Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create) = 0;
};
__CRT_UUID_DECL(IBinaryStreamInit, 0xBC6ED8EB, 0xA4D8, 0x11D2, 0xBD, 0x73, 0x00, 0x10, 0x5A, 0x0A, 0x7E, 0x89)
