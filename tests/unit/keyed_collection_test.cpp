// The Files, Folders and Drives collections, filled through their private interface as their
// makers fill them. Listings, drives, scripts and the argument sweep read collections a folder or
// the service made; here, what they cannot reach: the elements handed over and what a failed Item
// leaves.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace docket::test {
namespace {

IUnknown* IdentityOf(IUnknown* object) {  // compared only while the collection holds the object
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.put_void());
  return identity.get();
}

template <class Collection, class Init, class Element>
void CheckCollection(const CLSID& collectionId, const CLSID& elementId) {
  SCOPED_TRACE(typeid(Collection).name());
  ComPtr<Collection> collection;
  ComPtr<Init> init;
  ASSERT_EQ(LoadedModule::Default().Create(collectionId, collection.put()), S_OK);
  ASSERT_EQ(collection.As(&init), S_OK);
  // Adds `object` (a new element when null) under `name`, handed over by reference; its identity.
  auto add = [&](const wchar_t* name, IDispatch* object = nullptr) {
    if (!object) LoadedModule::Default().CreateRaw(elementId, IID_IDispatch, reinterpret_cast<void**>(&object));
    IUnknown* identity = IdentityOf(object);
    Variant key;
    *key.get() = VBstr(name);
    VARIANT handover = ByReference(&object);
    EXPECT_EQ(init->Add(key.get(), &handover), S_OK);
    return identity;
  };
  // Item(key) (the key is freed here): the element's identity, or null and the failure's text.
  std::wstring failure;
  auto item = [&](VARIANT key) -> IUnknown* {
    Element* element = reinterpret_cast<Element*>(1);
    ClearError();
    const HRESULT hr = collection->get_Item(key, &element);
    ::VariantClear(&key);
    if (FAILED(hr)) {
      EXPECT_EQ(element, nullptr) << "a failed Item leaves no element";
      failure = TakeError().description;
      return nullptr;
    }
    ComPtr<Element> owner = ComPtr<Element>::Attach(element);
    return IdentityOf(element);
  };

  IUnknown* b = add(L"b.txt");
  IUnknown* a = add(L"A.txt");
  bool destroyed = false;
  CountingDispatch* object = CountingDispatch::New(&destroyed);
  add(L"_c.txt", object);
  EXPECT_EQ(object->refs(), 1) << "the collection is the only holder";
  EXPECT_EQ(item(VI4(2)), a) << "underscore first";
  EXPECT_EQ(item(VBstr(L"B.TXT")), b);
  EXPECT_EQ(item(VI4(4)), nullptr);
  EXPECT_EQ(failure, L"Index out of range.");
  EXPECT_EQ(item(VI4(1)), nullptr) << "an item that is no element is not one";
  EXPECT_EQ(object->refs(), 1) << "the temporary copy is released on that path too";
  EXPECT_EQ(collection->get_Item(VI4(1), nullptr), E_POINTER);
  EXPECT_EQ(CallByName(collection.get(), L"Item", DISPATCH_PROPERTYGET, {VBstr(L"missing")}).source,
            L"Docket.Dictionary.1") << "the inner dictionary's report, unchanged";
  init.reset();
  EXPECT_FALSE(destroyed);
  collection.reset();
  EXPECT_TRUE(destroyed);
}

TEST(KeyedCollection, FilesFoldersAndDrives) {
  CheckCollection<IFileCollection, IFileCollectionInit, IFile>(CLSID_Files, CLSID_File);
  CheckCollection<IFolderCollection, IFolderCollectionInit, IFolder>(CLSID_Folders, CLSID_Folder);
  CheckCollection<IDriveCollection, IDriveCollectionInit, IDrive>(CLSID_Drives, CLSID_Drive);
}

}  // namespace
}  // namespace docket::test
