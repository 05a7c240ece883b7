// The Files, Folders and Drives collections, filled through their private interface as their
// makers fill them. Listings, drives, scripts and the argument sweep read collections a folder or
// the service made; here, what they cannot reach: the elements handed over and what a failed Item
// leaves.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace docket::test {
namespace {

// A collection class, its private interface and the class of its elements.
template <class C, class I, class E, const CLSID* collectionId, const CLSID* elementId>
struct Kind {
  using Collection = C;
  using Init = I;
  using Element = E;
  static const CLSID& CollectionId() { return *collectionId; }
  static const CLSID& ElementId() { return *elementId; }
};

IUnknown* IdentityOf(IUnknown* object) {  // compared only while the collection holds the object
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.put_void());
  return identity.get();
}

template <class Kind>
struct KeyedCollection : ::testing::Test {
  using Element = typename Kind::Element;
  void SetUp() override {
    ASSERT_EQ(LoadedModule::Default().Create(Kind::CollectionId(), collection.put()), S_OK);
    ASSERT_EQ(collection.As(&init), S_OK);
  }
  // Adds `object` (a new element when null) under `name`, handed over by reference; its identity.
  IUnknown* Add(const wchar_t* name, IDispatch* object = nullptr) {
    if (!object)
      LoadedModule::Default().CreateRaw(Kind::ElementId(), IID_IDispatch, reinterpret_cast<void**>(&object));
    IUnknown* identity = IdentityOf(object);
    Variant key;
    *key.get() = VBstr(name);
    VARIANT handover = ByReference(&object);
    EXPECT_EQ(init->Add(key.get(), &handover), S_OK);
    return identity;
  }
  // Item(key) (the key is freed here): the element's identity, or null and the failure's text.
  IUnknown* ItemOf(VARIANT key, std::wstring* failure = nullptr) {
    Element* element = reinterpret_cast<Element*>(1);
    ClearError();
    const HRESULT hr = collection->get_Item(key, &element);
    ::VariantClear(&key);
    if (FAILED(hr)) {
      EXPECT_EQ(element, nullptr) << "a failed Item leaves no element";
      if (failure) *failure = TakeError().description;
      return nullptr;
    }
    ComPtr<Element> owner = ComPtr<Element>::Attach(element);
    return IdentityOf(element);
  }
  ComPtr<typename Kind::Collection> collection;
  ComPtr<typename Kind::Init> init;
};

using Kinds = ::testing::Types<Kind<IFileCollection, IFileCollectionInit, IFile, &CLSID_Files, &CLSID_File>,
                               Kind<IFolderCollection, IFolderCollectionInit, IFolder, &CLSID_Folders, &CLSID_Folder>,
                               Kind<IDriveCollection, IDriveCollectionInit, IDrive, &CLSID_Drives, &CLSID_Drive>>;
TYPED_TEST_SUITE(KeyedCollection, Kinds);

TYPED_TEST(KeyedCollection, ItemByNameWithoutCaseAndByPositionInKeyOrder) {
  IUnknown* b = this->Add(L"b.txt");
  IUnknown* a = this->Add(L"A.txt");
  IUnknown* c = this->Add(L"_c.txt");
  EXPECT_EQ(this->ItemOf(VI4(1)), c) << "underscore first";
  EXPECT_EQ(this->ItemOf(VI4(2)), a);
  EXPECT_EQ(this->ItemOf(VBstr(L"B.TXT")), b);
  std::wstring failure;
  EXPECT_EQ(this->ItemOf(VI4(4), &failure), nullptr);
  EXPECT_EQ(failure, L"Index out of range.");
  EXPECT_EQ(this->collection->get_Item(VI4(1), nullptr), E_POINTER);
  EXPECT_EQ(CallByName(this->collection.get(), L"Item", DISPATCH_PROPERTYGET, {VBstr(L"missing")}).source,
            L"Docket.Dictionary.1") << "the inner dictionary's report, unchanged";
}

TYPED_TEST(KeyedCollection, OwnsWhatItIsGivenForItsWholeLife) {
  bool destroyed = false;
  CountingDispatch* object = CountingDispatch::New(&destroyed);
  this->Add(L"dummy", object);
  EXPECT_EQ(object->refs(), 1) << "the collection is the only holder";
  EXPECT_EQ(this->ItemOf(VBstr(L"dummy")), nullptr) << "an item that is no element is not one";
  EXPECT_EQ(object->refs(), 1) << "the temporary copy is released on that path too";
  this->init.reset();
  EXPECT_FALSE(destroyed);
  this->collection.reset();
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace docket::test
